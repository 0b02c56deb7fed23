"""numpy's semantics through the ufuncs and their wrappers: broadcasting,
out= and where=, any layout, safe casts, datetime64 units, fixed-width
text, the GIL, and the pandas columns people have."""

import threading
import tracemalloc

import numpy as np
import pandas as pd
import pytest
import sec1996
from conftest import LAST, LEAP, coerced
from sec1996 import ufunc

COUNTS = np.array([0, LEAP - 1, LEAP, LEAP + 1, LAST], np.uint32)


def test_a_broadcast_scalar_costs_no_copy():
    days = np.linspace(1.0, 365.0, 1_000_000)
    expected = sec1996.from_year_day(np.full(days.shape, 1997), days)
    tracemalloc.start()
    try:
        got = sec1996.from_year_day(1997, days)
        _, peak = tracemalloc.get_traced_memory()
    finally:
        tracemalloc.stop()
    assert np.array_equal(got, expected)
    assert peak <= got.nbytes + 2**20  # the result, and chunk scratch below 1 MB


def test_out_and_where_are_honoured():
    out = np.full(5, np.datetime64("2000-01-01", "s"))
    keep = np.array([True, False, True, False, True])
    result = sec1996.to_datetime64(COUNTS, out=out, where=keep)
    assert result is out
    assert np.array_equal(out[keep], sec1996.to_datetime64(COUNTS[keep]))
    assert (out[~keep] == np.datetime64("2000-01-01", "s")).all()
    # where= also spares a refused element from the refusal.
    assert sec1996.to_iso([0, -1], where=[True, False])[0] == b"1996-01-01T00:00:00Z"
    texts = np.zeros(5, "S20")
    sec1996.to_iso(COUNTS, out=texts, where=keep)  # a gufunc underneath: where by selection
    assert texts[1] == b"" and texts[2] == b"1997-06-30T23:59:60Z"
    counts = np.zeros(5, np.uint32)
    sec1996.from_iso(sec1996.to_iso(COUNTS), out=counts[::-1])  # out a reversed view
    assert np.array_equal(counts[::-1], COUNTS)
    with pytest.raises(TypeError, match="out must be a numpy array of dtype"):
        sec1996.to_iso(COUNTS, out=np.zeros(5, "U20"))
    with pytest.raises(ValueError):  # out of the wrong shape: numpy's own refusal
        sec1996.to_datetime64(COUNTS, out=np.zeros(4, "M8[s]"))


@pytest.mark.parametrize(
    "view",
    [
        lambda a: a[::2],
        lambda a: a[::-1],
        lambda a: a.reshape(5, 1)[:, 0],
        lambda a: np.asarray(a[2]),  # 0-d
        lambda a: a[:0],
        lambda a: a.astype(a.dtype.newbyteorder(">")),
        lambda a: np.broadcast_to(a, (3, 5)).T,
    ],
)
def test_any_layout_gives_what_the_contiguous_twin_gives(view):
    counts = view(COUNTS)
    twin = np.array(counts, order="C")
    for function in [sec1996.to_datetime64, sec1996.to_iso, sec1996.to_fields]:
        got, expected = function(counts), function(twin)
        assert np.shape(got) == np.shape(expected) == counts.shape
        assert np.array_equal(got, expected), function
    texts = view(sec1996.to_iso(COUNTS, dtype=str))
    assert np.array_equal(sec1996.from_iso(texts), twin)


def test_the_ufuncs_cast_safely_and_never_wrap():
    for dtype in [np.int8, np.uint16, np.int32, np.int64, np.uint64, np.float32, np.float64]:
        _, status = ufunc.to_posix(np.array([0, 1], dtype))
        assert status.tolist() == [0, 0], dtype
    _, status = ufunc.to_posix(np.array([2**32, -1, LAST], np.int64))
    assert status.tolist() == [sec1996.Sec1996ParseStatus.OUT_OF_SPAN] * 2 + [0]
    with pytest.raises(TypeError):  # complex has no safe cast to any loop
        ufunc.to_posix(np.array([1j]))


def test_datetime64_of_any_unit_with_a_fraction_refused_or_floored():
    base = np.datetime64("1997-06-30T23:59:59", "s")
    for unit in ["ms", "us", "ns", "100ns"]:
        time = (base.astype(f"datetime64[{unit}]") + np.timedelta64(1, unit)).reshape(1)
        with pytest.raises(ValueError, match="a fraction of a second"):
            sec1996.from_datetime64(time)
        assert sec1996.from_datetime64(time, fraction="floor")[0] == LEAP - 1, unit
        assert sec1996.from_datetime64(time, leap=True, fraction="floor")[0] == LEAP, unit
    # Flooring rounds towards the past, also from a whole second just after.
    assert sec1996.from_datetime64(np.datetime64("2000-01-01T00:00:00.5"), fraction="floor") == (
        sec1996.from_iso("2000-01-01T00:00:00")
    )
    assert sec1996.from_datetime64(np.datetime64("1997-07-01", "D")) == LEAP + 1
    assert sec1996.from_iso(["1997-06-30T23:59:60.999Z"], fraction="floor")[0] == LEAP


def test_text_is_fixed_width_bytes_or_str_without_objects():
    texts = sec1996.to_iso(COUNTS)
    assert texts.dtype == np.dtype("S20")
    strings = sec1996.to_iso(COUNTS, dtype=str)
    assert strings.dtype == np.dtype("U20") and np.array_equal(strings, texts.astype("U20"))
    assert sec1996.to_text(COUNTS, dtype="U").dtype == np.dtype("U20")
    parsed = pd.to_datetime(sec1996.to_iso(COUNTS[[0, 1, 3]], dtype=str))
    assert (parsed.tz_convert(None).values == sec1996.to_datetime64(COUNTS[[0, 1, 3]])).all()


def test_the_gil_is_released_inside_the_loops():
    """A Python thread keeps running while a long conversion runs."""
    counts = np.random.default_rng(5).integers(0, 2**32, 20_000_000, dtype=np.uint32)
    ticks = [0]
    done = threading.Event()

    def tick() -> None:
        while not done.is_set():
            ticks[0] += 1

    texts = np.empty(counts.shape, "S20")
    thread = threading.Thread(target=tick)
    thread.start()
    try:
        before = ticks[0]
        ufunc.to_iso(counts, out=(texts[:, None].view(np.uint8), np.empty(counts.shape, np.int16)))
        during = ticks[0] - before
    finally:
        done.set()
        thread.join()
    # With the GIL held, the thread would get at most a switch interval at
    # each end of the call; it gets far more than that while the loop runs.
    assert during > 10_000


def test_pandas_columns_as_people_have_them():
    nullable = pd.Series([0, None, LEAP], dtype="UInt32")
    got = sec1996.to_datetime64(nullable, errors="coerce")
    assert got.isna().tolist() == [False, True, False]
    assert got.iloc[2] == pd.Timestamp("1997-06-30T23:59:59")
    with pytest.raises(ValueError, match=r"at index 1 \(nan\) refused: not a number"):
        sec1996.to_datetime64(pd.Series([5, None], dtype="Int64"))
    csv = pd.Series([47260800.0, np.nan, 1.0])  # a count column with one empty cell
    got = sec1996.to_iso(csv, errors="coerce")
    assert got.tolist() == ["1997-06-30T23:59:60Z".encode(), None, b"1996-01-01T00:00:01Z"]
    counts = sec1996.from_iso(pd.Series(["1996-01-01T00:00:00", None]), errors="coerce")
    assert str(counts.dtype) == "UInt32" and counts.isna().tolist() == [False, True]
    zoned = pd.Series(
        pd.to_datetime(["1997-07-01T02:00:00+02:00", "1997-07-01T00:00:00Z"], utc=True)
    )
    assert sec1996.from_datetime64(zoned).tolist() == [LEAP + 1, LEAP + 1]
    index = pd.DatetimeIndex(["1997-06-30T19:59:59"]).tz_localize("America/New_York")
    assert sec1996.from_datetime64(index, leap=[True]).tolist() == [LEAP]


def test_bad_input_gives_an_error_or_a_status():
    for bad in [[np.nan], [-1], [2**32], [2.0**32]]:
        assert not coerced(sec1996.to_iso(bad, errors="coerce"))[1].any(), bad
    _, status = sec1996.from_iso(np.array([b"1997-06-30T23:59:\xc3\xa9"]), errors="status")
    assert status[0] == sec1996.Sec1996ParseStatus.SYNTAX  # not UTF-8 digits
    _, status = sec1996.from_iso(np.array([None, "1997-06-30T23:59:60Z"], object), errors="status")
    assert status.tolist() == [sec1996.Sec1996ParseStatus.NOT_A_NUMBER, 0]
    _, status = sec1996.from_iso(np.array(["1997-06-30T23:59:59" + "0" * 100]), errors="status")
    assert status[0] == sec1996.Sec1996ParseStatus.SYNTAX
    _, status = sec1996.from_datetime64(np.array(["NaT"], "M8[s]"), errors="status")
    assert status[0] == sec1996.Sec1996ParseStatus.NOT_A_NUMBER


def test_leap_facts_come_from_the_library_table():
    assert sec1996.LEAP_SECONDS == (LEAP,)
    assert np.flatnonzero(sec1996.is_leap_second(np.arange(LEAP - 5, LEAP + 5))).tolist() == [5]


def test_min_keyword_still_works_with_a_warning():
    with pytest.warns(DeprecationWarning, match="min= is deprecated; use minute="):
        assert sec1996.from_fields(1997, 6, 30, 23, min=59, sec=60) == LEAP
    assert sec1996.from_fields(1997, 6, 30, 23, minute=59, sec=60) == LEAP
    with pytest.raises(TypeError, match="not both"):
        sec1996.from_fields(1997, 6, 30, 23, minute=59, min=59)
