"""to_text(format=) and from_text(format=): the C library's pattern engine
over arrays, against Python's own datetime formatting (glibc's strftime in
the C locale) and hand-derived texts."""

import datetime
import re

import numpy as np
import pandas as pd
import pytest
import sec1996
from conftest import EPOCH_POSIX, LEAP, coerced, posix_of

S = sec1996.Sec1996ParseStatus
# Patterns that hold every field of a count, so that reading gives it back.
WHOLE = ["%Y-%m-%d %H:%M:%S", "%Y.%j %T", "%d %b %Y %T", "%A, %B %e %Y %H:%M:%S", "%Y%m%d%H%M%S"]


def reference(counts: np.ndarray, pattern: str) -> list:
    """Each count's text by Python's datetime.strftime (no leap seconds)."""
    epoch = datetime.datetime(1970, 1, 1, tzinfo=datetime.timezone.utc)
    return [
        (epoch + datetime.timedelta(seconds=int(s))).strftime(pattern).encode()
        for s in posix_of(counts)
    ]


def test_every_pattern_writes_strftimes_text_and_reads_it_back():
    rng = np.random.default_rng(61)
    counts = rng.integers(0, 2**32, 2000, dtype=np.uint32)
    counts = counts[counts != LEAP]  # strftime has no second 60
    for pattern in WHOLE + ["%Y.%j", "%y", "%C %G-W%V-%u %U %W %w %D %R %Z %z %%"]:
        texts = sec1996.to_text(counts, format=pattern)
        assert texts.tolist() == reference(counts, pattern), pattern
        if pattern in WHOLE:
            assert np.array_equal(sec1996.from_text(texts, format=pattern), counts), pattern
            as_str = sec1996.to_text(counts, format=pattern, dtype=str)
            assert np.array_equal(sec1996.from_text(as_str, format=pattern), counts), pattern


def test_the_leap_second_is_second_60_both_ways_and_nowhere_else():
    for pattern, text in [
        ("%Y-%m-%d %H:%M:%S", b"1997-06-30 23:59:60"),
        ("%Y.%j %T", b"1997.181 23:59:60"),
        ("%FT%TZ", b"1997-06-30T23:59:60Z"),
    ]:
        assert sec1996.to_text(LEAP, format=pattern) == text
        assert sec1996.from_text(text, format=pattern) == LEAP
    # %s cannot name it: the POSIX value of the 23:59:59 before it.
    assert sec1996.to_text(LEAP, format="%s") == str(867715199).encode()
    assert sec1996.from_text("1997-07-01 01:59:60 +0200", format="%F %T %z") == LEAP


# (texts, pattern, index of the first refusal, status, offset), offsets
# counted by hand.
REFUSED = [
    (["1997-06-30 23:59:60", "1997-06-29 23:59:60"], "%F %T", 1, S.NOT_LEAP_SECOND, 17),
    (["1996.366", "1997.366"], "%Y.%j", 1, S.NO_SUCH_DATE, 5),
    (["1997.000"], "%Y.%j", 0, S.FIELD_RANGE, 5),
    (["1997.181 23:59:60 "], "%Y.%j %T", 0, S.MISMATCH, 17),  # text left over
    (["1997.181 23:59"], "%Y.%j %T", 0, S.TRUNCATED, 14),  # short text
    (["1997.18"], "%Y.%j", 0, S.TRUNCATED, 7),
    (["1997. 81"], "%Y.%j", 0, S.MISMATCH, 5),  # no blank for a digit
    (["Tue 1997-06-30"], "%a %F", 0, S.CONFLICT, 0),
    (["1995.365"], "%Y.%j", 0, S.OUT_OF_SPAN, 0),
    (["1997.18\u00e9"], "%Y.%j", 0, S.MISMATCH, 7),  # offsets in characters
    (np.array([b"1997.001", b"1997.0\xff1"]), "%Y.%j", 1, S.MISMATCH, 6),
    (np.array(["1997.001", None], object), "%Y.%j", 1, S.NOT_A_NUMBER, None),
    (np.array(["1997.001", 5], object), "%Y.%j", 1, S.MISMATCH, None),
    (pd.Series(["1997.001", np.nan]), "%Y.%j", 1, S.NOT_A_NUMBER, None),
]


@pytest.mark.parametrize("texts, pattern, index, code, offset", REFUSED)
def test_a_refusal_names_the_index_the_text_the_reason_and_the_offset(
    texts, pattern, index, code, offset
):
    with pytest.raises(ValueError) as error:
        sec1996.from_text(texts, format=pattern)
    message = str(error.value)
    assert message.startswith(f"sec1996.from_text: text at index {index} ("), message
    assert sec1996.status_text(code) in message, message
    if offset is not None:
        assert message.endswith(f"(at offset {offset})"), message
    values, status = sec1996.from_text(texts, format=pattern, errors="status")
    status = np.asarray(status)
    assert status[index] == code and not status[:index].any()
    assert np.asarray(values)[index] == 0
    counts, valid = coerced(sec1996.from_text(texts, format=pattern, errors="coerce"))
    assert np.array_equal(valid, status == 0)


@pytest.mark.parametrize(
    "function, pattern, words",
    [
        (sec1996.to_text, "%Y.%q", "'%Y.%q' refused: an unknown or truncated conversion"),
        (sec1996.to_text, "%Y %", "(at offset 3)"),
        (sec1996.to_text, "%-d %Y", "(at offset 0)"),
        (sec1996.to_text, "%Y" * 129, "(at offset 256)"),  # overlong
        (sec1996.from_text, "%Y.%q", "(at offset 3)"),
        (sec1996.from_text, "%Y %u", "only written, or %s beside a date or a time (at offset 3)"),
        (sec1996.from_text, "%j", "needs a year (%Y, %y, %F or %D), or is %s (at offset 2)"),
        (sec1996.from_text, "%Y\u00e9", "a character beyond ASCII (at offset 2)"),
        (sec1996.to_text, b"%Y\x00", "a zero character (at offset 2)"),
    ],
)
def test_a_bad_pattern_is_one_value_error_in_every_mode(function, pattern, words):
    argument = [0] if function is sec1996.to_text else ["1997.001"]
    for errors in ["raise", "coerce", "status"]:
        with pytest.raises(ValueError) as error:
            function(argument, format=pattern, errors=errors)
        assert str(error.value).startswith(f"sec1996.{function.__name__}: format "), error.value
        assert words in str(error.value), error.value
    with pytest.raises(TypeError, match="format must be str or bytes, not int"):
        function(argument, format=5)


def test_the_width_is_that_of_the_longest_text_of_the_pattern():
    # 2002-09-04, a Wednesday in September after POSIX second 10**9.
    count = (datetime.datetime(2002, 9, 4) - datetime.datetime(1970, 1, 1)).total_seconds()
    count = int(count) - EPOCH_POSIX + 1  # the leap second lies before it
    widest = sec1996.to_text([0, count], format="%A %B %s")
    assert widest.dtype == np.dtype("S30")
    assert widest[1] == b"Wednesday September " + str(count + EPOCH_POSIX - 1).encode()
    assert sec1996.to_text([0], format="%A %B %s", dtype=str).dtype == np.dtype("U30")
    assert sec1996.to_text(0, format="%Y.%j") == b"1996.001"
    assert sec1996.to_text([0], format="%Y.%j").dtype == np.dtype("S8")
    assert sec1996.to_text(0) == b"01-Jan-1996 00:00:00"  # format=None: as it was


def test_to_text_with_a_pattern_refuses_what_to_text_refuses():
    texts, status = sec1996.to_text([0, -1, 2.5], format="%F", errors="status")
    assert texts.tolist() == [b"1996-01-01", b"", b""]
    assert status.tolist() == [0, S.OUT_OF_SPAN, S.FRACTION]
    masked = sec1996.to_text([0, -1], format="%F", errors="coerce")
    assert masked.mask.tolist() == [False, True]
    with pytest.raises(ValueError, match=r"count at index 1 \(-1\) refused: outside the scale"):
        sec1996.to_text([0, -1], format="%F")
    out = np.full(2, b"kept", "S10")  # where=: the width is out's, no input's
    assert sec1996.to_text([0, -1], format="%F", out=out, where=[True, False]) is out
    assert out.tolist() == [b"1996-01-01", b"kept"]
    series = sec1996.to_text(pd.Series([LEAP], index=["x"]), format="%T")
    assert series.tolist() == [b"23:59:60"] and series.index.tolist() == ["x"]


def test_texts_in_any_container_and_layout():
    texts = ["1997.181 23:59:60", "1997.182 00:00:00"]
    expected = [LEAP, LEAP + 1]
    for given in [
        texts,
        np.array(texts, "S"),
        np.repeat(np.array(texts, "U"), 2)[::2],
        np.array(texts, object),
        pd.Series(texts),
    ]:
        got = sec1996.from_text(given, format="%Y.%j %T")
        assert list(got) == expected, type(given)
    assert sec1996.from_text(np.array(texts[0]), format="%Y.%j %T") == LEAP  # 0-d


# from_iso(accept=): (text, accept, fraction, count or (status, offset)).
ISO_VARIANTS = [
    ("1997-06-30 23:59:60z", ("space", "lower_z"), "raise", LEAP),
    ("1997-07-01T01:59:60+02:00", "any_offset", "raise", LEAP),
    ("1997-06-30T23:59:60.75+00:00", ["utc_offset"], "floor", LEAP),
    ("1997-06-30 23:59:60z", ["lower_z"], "raise", (S.SYNTAX, 10)),
    ("1997-07-01T01:59:60+02:00", ["utc_offset"], "raise", (S.OFFSET, 19)),
    ("1997-06-30T23:59:60.75+00:00", ["utc_offset"], "raise", (S.FRACTION, 19)),
]


@pytest.mark.parametrize("text, accept, fraction, expected", ISO_VARIANTS)
def test_from_iso_reads_the_variants_it_is_told_to_accept(text, accept, fraction, expected):
    for texts in [np.array([text]), np.array([text], "S"), np.array([text], object)]:
        if isinstance(expected, tuple):
            code, offset = expected
            with pytest.raises(ValueError, match=re.escape(f"(at offset {offset})")):
                sec1996.from_iso(texts, accept=accept, fraction=fraction)
            _, status = sec1996.from_iso(texts, accept=accept, fraction=fraction, errors="status")
            assert status.tolist() == [code], texts.dtype
        else:
            assert sec1996.from_iso(texts, accept=accept, fraction=fraction)[0] == expected


def test_from_iso_accept_takes_only_the_variants_it_knows():
    with pytest.raises(ValueError, match="accept takes .*'utc_offset'], not 'T'"):
        sec1996.from_iso("1997-06-30T23:59:60Z", accept=["T"])
    _, status = sec1996.from_iso(np.array([None], object), accept="space", errors="status")
    assert status.tolist() == [S.NOT_A_NUMBER]
