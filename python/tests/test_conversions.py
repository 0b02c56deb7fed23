"""Every conversion against numpy's own calendar or the library's
single-value functions, on a million random counts and the neighbourhoods."""

import numpy as np
import pytest
import sec1996
from conftest import LAST, LEAP, coerced, posix_of
from sec1996 import _ext as C


@pytest.fixture(scope="module")
def calendar(counts: np.ndarray) -> dict:
    """The fields of each count by numpy: 23:59:59 on the leap second."""
    t = posix_of(counts).astype("datetime64[s]")
    years, months, days = (t.astype(f"datetime64[{u}]") for u in "YMD")
    second_of_day = (t - days).astype(np.int64)
    return {
        "time": t,
        "year": years.astype(np.int64) + 1970,
        "mon": (months - years).astype(np.int64) + 1,
        "day": (days - months).astype(np.int64) + 1,
        "day_of_year": (days - years).astype(np.int64) + 1,
        "second_of_day": second_of_day,
        "leap": counts == LEAP,
    }


def test_datetime64_is_posix_time_with_the_leap_second_on_235959(counts, calendar):
    assert np.array_equal(sec1996.to_datetime64(counts), calendar["time"])
    assert np.array_equal(sec1996.is_leap_second(counts), calendar["leap"])


def test_iso_is_numpys_text_with_second_60_on_the_leap_second(counts, calendar):
    expected = np.char.add(np.datetime_as_string(calendar["time"], unit="s"), "Z").astype("S20")
    expected[calendar["leap"]] = b"1997-06-30T23:59:60Z"
    assert np.array_equal(sec1996.to_iso(counts), expected)


def test_fields_are_numpys_calendar_with_second_60_on_the_leap_second(counts, calendar):
    records = sec1996.to_fields(counts)
    sod = calendar["second_of_day"]
    expected = {
        "year": calendar["year"],
        "mon": calendar["mon"],
        "day": calendar["day"],
        "hour": sod // 3600,
        "min": sod // 60 % 60,
        "sec": sod % 60 + calendar["leap"],
    }
    for name, values in expected.items():
        assert np.array_equal(records[name], values), name


def test_year_day_is_bit_identical_to_the_formula(counts, calendar):
    years, days = sec1996.to_year_day(counts)
    expected = calendar["day_of_year"] + (calendar["second_of_day"] + calendar["leap"]) / 86400.0
    assert np.array_equal(years, calendar["year"])
    assert np.array_equal(days.view(np.uint64), expected.view(np.uint64))


def test_text_is_the_library_text(neighbourhoods, counts):
    sample = np.concatenate([neighbourhoods, counts[:200_000]])
    expected = np.array([C.stringDate1996_r(int(c)) for c in sample], dtype="S20")
    assert np.array_equal(sec1996.to_text(sample), expected)
    assert sec1996.to_text(LEAP) == b"30-Jun-1997 23:59:59"


def test_single_values_agree_with_the_library(neighbourhoods):
    """The array paths against the library's one-value functions."""
    years, days = sec1996.to_year_day(neighbourhoods)
    records = sec1996.to_fields(neighbourhoods)
    times = sec1996.to_datetime64(neighbourhoods).astype(np.int64)
    for i, c in enumerate(map(int, neighbourhoods)):
        assert tuple(records[i]) == C.cvtFromSec1996_lossless(c)
        assert (years[i], days[i]) == C.cvtFromSec1996_yd(c)
        assert times[i] == C.cvtFromSec1996_posix(c)
        assert sec1996.to_iso(c) == C.stringDate1996_iso(c)


def test_every_form_reads_back(counts):
    leap = sec1996.is_leap_second(counts)
    assert np.array_equal(sec1996.from_datetime64(sec1996.to_datetime64(counts), leap=leap), counts)
    assert np.array_equal(sec1996.from_datetime64(sec1996.to_datetime64(counts)), counts - leap)
    assert np.array_equal(sec1996.from_iso(sec1996.to_iso(counts)), counts)
    assert np.array_equal(sec1996.from_fields(sec1996.to_fields(counts)), counts)
    # The day of the year reads the leap second as the next second.
    assert np.array_equal(sec1996.from_year_day(*sec1996.to_year_day(counts)), counts + leap)


def test_datetime64_of_any_linear_unit(neighbourhoods):
    times = sec1996.to_datetime64(neighbourhoods)
    counts = sec1996.from_datetime64(times)
    for unit in ["ms", "10ms", "us", "ns"]:  # finer: every time is a whole second
        fine = times.astype(f"datetime64[{unit}]")
        assert np.array_equal(sec1996.from_datetime64(fine), counts), unit
        _, valid = coerced(sec1996.from_datetime64(fine + np.timedelta64(1, unit), errors="coerce"))
        assert not valid.any(), unit
    for unit in ["W", "D", "h", "m", "3s"]:  # coarser: the same as in seconds
        coarse = times.astype(f"datetime64[{unit}]")
        got = sec1996.from_datetime64(coarse, errors="status")
        expected = sec1996.from_datetime64(coarse.astype("datetime64[s]"), errors="status")
        assert all(np.array_equal(g, e) for g, e in zip(got, expected)), unit


def exact_counts(year, mon, day, seconds):
    """The unwrapped count of a record by numpy's calendar: the date rolled
    over, the time of day added to its midnight, the leap second counted
    from the day after it."""
    months = (year - 1970) * 12 + (mon - 1)
    midnight = months.astype("datetime64[M]").astype("datetime64[D]") + (day - 1)
    nominal = (midnight - np.datetime64("1996-01-01", "D")).astype(np.int64) * 86400
    return nominal + (midnight >= np.datetime64("1997-07-01")) + seconds


def test_fields_normalise_as_the_library_and_refuse_what_it_wraps():
    rng = np.random.default_rng(7)
    n = 200_000
    fields = {
        "year": rng.integers(1990, 2140, n),
        "mon": rng.integers(-30, 40, n),
        "day": rng.integers(-100, 100, n),
        "hour": rng.integers(-50, 50, n),
        "min": rng.integers(-200, 200, n),
        "sec": rng.integers(-5000, 5000, n),
    }
    counts, valid = coerced(sec1996.from_fields(*fields.values(), errors="coerce"))
    seconds = fields["hour"] * 3600 + fields["min"] * 60 + fields["sec"]
    exact = exact_counts(fields["year"], fields["mon"], fields["day"], seconds)
    assert np.array_equal(valid, (exact >= 0) & (exact <= LAST))
    assert np.array_equal(counts[valid], exact[valid])
    for i in range(0, n, 997):  # and the library's own function agrees
        assert C.cvtToSec1996(*(int(f[i]) for f in fields.values())) == exact[i] % 2**32


@pytest.mark.parametrize(
    "record, expected",
    [
        ((1996, 1, 1, 0, 0, 0), 0),
        ((1997, 6, 30, 23, 59, 60), LEAP),
        ((1997, 6, 30, 24, 0, 0), LEAP),
        ((1997, 6, 30, 23, 59, 61), LEAP + 1),
        ((1996, 12, 31, 23, 59, 60), 31622400),  # no leap second that day: the next midnight
        ((1997, 13, 1, 0, 0, 0), 63158401),
        ((1996, 1, 1, 0, 0, 2**31 - 1), 2**31 - 1),
        ((2132, 2, 7, 6, 28, 14), LAST),
        ((1995, 12, 31, 23, 59, 59), None),
        ((1996, 1, 1, 0, 0, -1), None),
        ((2132, 2, 7, 6, 28, 15), None),
        ((1860, 1, 1, 0, 0, 0), None),  # the library wraps it onto the scale
        ((2268, 3, 14, 0, 0, 0), None),
        ((-(2**31), 1, 1, 0, 0, 0), None),
    ],
)
def test_fields_at_the_edges(record, expected):
    counts, valid = coerced(sec1996.from_fields(*record, errors="coerce"))
    assert valid == (expected is not None)
    if expected is not None:
        assert counts == expected == C.cvtToSec1996(*record)


def test_year_day_reads_as_the_library_and_refuses_what_it_wraps():
    rng = np.random.default_rng(11)
    n = 100_000
    years = rng.integers(1994, 2134, n)
    days = rng.uniform(-400.0, 800.0, n)
    counts, valid = coerced(sec1996.from_year_day(years, days, errors="coerce"))
    whole = np.trunc(days)
    seconds = np.floor((days - whole) * 86400.0 + 0.5).astype(np.int64)
    exact = exact_counts(years, np.ones_like(years), whole.astype(np.int64), seconds)
    assert np.array_equal(valid, (exact >= 0) & (exact <= LAST))
    for i in np.flatnonzero(valid)[::50]:
        assert counts[i] == C.cvtToSec1996_yd(days[i], int(years[i])) == exact[i]


@pytest.mark.parametrize(
    "year, day, expected",
    [
        (1996, 1.0, 0),
        (1996, 0.999999999, 0),  # rounds up onto the first second
        (1996, 0.99999, None),  # 1995-12-31T23:59:59
        (1997, 181.99999999, LEAP),
        (1997, 182.0, LEAP + 1),
        (2132, 38 + 23294 / 86400, LAST),
        (2132, 38 + 23295 / 86400, None),
        (1996, 2.0**31, None),
        (1996, 2.0**31 + 1, None),  # the library would clamp it
        (-5877493, 2.0**31, 3834950401),  # 2^31 days from year -5877493: on the scale
        (5881607, -(2.0**31), 14860800),  # and -2^31 days from year 5881607
        (1996, float("nan"), None),  # the library would read 1.0
        (1996, float("inf"), None),
    ],
)
def test_year_day_at_the_edges(year, day, expected):
    counts, valid = coerced(sec1996.from_year_day(year, day, errors="coerce"))
    assert valid == (expected is not None)
    if expected is not None:
        assert counts == expected == C.cvtToSec1996_yd(day, year)


def mutations(n: int, rng: np.random.Generator) -> list:
    """Valid texts with one character replaced, dropped or appended."""
    texts = sec1996.to_iso(rng.integers(0, 2**32, n, dtype=np.uint32)).astype(str)
    alphabet = list("0123456789-T:Z z+.") + ["\u00e9", "\u2028", "\x00"]
    out = []
    for text in texts:
        i = int(rng.integers(0, 21))
        kind = rng.integers(0, 3)
        if kind == 0:
            out.append(text[:i] + rng.choice(alphabet) + text[i + 1 :])
        elif kind == 1:
            out.append(text[:i] + text[i + 1 :])
        else:
            out.append(text + rng.choice(alphabet))
    return out + ["1997-06-30T23:59:60Z", "1997-06-30T23:59:60", "1996-12-31T23:59:60Z"]


@pytest.mark.parametrize("as_type", [str, bytes, object, "S", "U"])
def test_parsing_refuses_exactly_what_the_library_refuses(as_type):
    texts = mutations(20_000, np.random.default_rng(3))
    if as_type is bytes:
        column = [t.encode() for t in texts]
    elif as_type is object:
        column = np.array(texts, dtype=object)
    elif as_type == "S":
        column = np.array([t.encode() for t in texts], dtype="S")  # numpy drops trailing zeros
        texts = [t.rstrip("\x00") for t in texts]
    else:
        column = np.array(texts, dtype=as_type)
        texts = [t.rstrip("\x00") for t in texts]
    counts, valid = coerced(sec1996.from_iso(column, errors="coerce"))
    for i, text in enumerate(texts):
        status, count, _ = C.parseDate1996_iso(text.encode())
        assert valid[i] == (status == 0), text
        if status == 0:
            assert counts[i] == count, text
