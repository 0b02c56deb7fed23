"""What each function refuses, how it says so, and what errors="coerce"
leaves in place of a refused element."""

import re

import numpy as np
import pandas as pd
import pytest
import sec1996
from conftest import LAST, LEAP

OFF_SCALE = "outside the scale"
COUNTS_IN = [
    sec1996.to_datetime64,
    sec1996.is_leap_second,
    sec1996.to_iso,
    sec1996.to_text,
    sec1996.to_fields,
    sec1996.to_year_day,
]
T = np.datetime64


# (function, arguments, index of the first bad element, words of the reason)
REFUSED = [
    *[(f, ([5, -1, -2],), 1, "negative") for f in COUNTS_IN],
    *[(f, (np.array([LAST + 1, 0], np.uint64),), 0, "above 4294967295") for f in COUNTS_IN],
    (sec1996.to_iso, (np.array([[0, 1], [2**40, -1]]),), (1, 0), "above 4294967295"),
    (sec1996.to_datetime64, (np.array(-1, np.int8),), None, "negative"),
    (sec1996.from_datetime64, (np.array(["2000-01-01", "NaT"], "M8[s]"),), 1, "NaT"),
    (sec1996.from_datetime64, (np.array(["1995-12-31T23:59:59"], "M8[s]"),), 0, OFF_SCALE),
    (sec1996.from_datetime64, (np.array(["2132-02-07T06:28:15"], "M8[s]"),), 0, OFF_SCALE),
    (sec1996.from_datetime64, (np.array([2**62], "M8[W]"),), 0, OFF_SCALE),  # overflows int64 seconds
    (sec1996.from_datetime64, (np.array([T("2000-01-01T00:00:00.001")]),), 0, "not a whole second"),
    (sec1996.from_datetime64, (np.array([-1], "M8[ns]"),), 0, "not a whole second"),
    (sec1996.from_fields, (2000, 1, 1, 0, 0, [0, 2**31]), 1, "sec does not fit in int32"),
    (sec1996.from_fields, (2000, [1, -(2**31) - 1], 1), 1, "mon does not fit in int32"),
    (sec1996.from_fields, (1995, 12, 31, 23, 59, 59), None, OFF_SCALE),
    (sec1996.from_year_day, ([2000, 2**31], 1.0), 1, "year does not fit in int32"),
    (sec1996.from_year_day, (2000, [1.0, -np.inf]), 1, "infinite"),
    (sec1996.from_year_day, (2000, [1.0, -(2.0**31) - 1]), 1, "beyond +-2^31"),
    (sec1996.from_year_day, (2132, 39.0), None, OFF_SCALE),
    (sec1996.from_iso, (["1997-06-30T23:59:60Z", "1997-06-30 23:59:59"],), 1, "SS[Z] (at offset 10)"),
    (sec1996.from_iso, (["1997-06-30T23:59:59z"],), 0, "(at offset 19)"),
    (sec1996.from_iso, ([b"1997-06-30T23:59:59+00:00"],), 0, "(at offset 19)"),
    (sec1996.from_iso, (["1997-13-01T00:00:00"],), 0, "a field is out of its range (at offset 5)"),
    (sec1996.from_iso, (["1997-02-29T00:00:00"],), 0, "does not exist in its month (at offset 8)"),
    (sec1996.from_iso, (["1997-06-30T24:00:00"],), 0, "out of its range (at offset 11)"),
    (sec1996.from_iso, (["1997-06-29T23:59:60"],), 0, "not a leap second of the scale (at offset 17)"),
    (sec1996.from_iso, (["1995-12-31T23:59:59"],), 0, OFF_SCALE),
    (sec1996.from_iso, (["2132-02-07T06:28:15Z"],), 0, OFF_SCALE),
    (sec1996.from_iso, (["1997-\u00e906-30T00:00:00"],), 0, "(at offset 5)"),  # offsets in characters
    (sec1996.from_iso, (np.array([b"1997-06-30T00:00\x0000"]),), 0, "(at offset 16)"),
    (sec1996.from_iso, (pd.Series(["2000-01-01T00:00:00", None]),), 1, "not a str or bytes but NoneType"),
    (sec1996.from_iso, (pd.Series([b"1996-01-01T00:00:00", np.nan]),), 1, "not a str or bytes but float"),
]


def call(function, args, **kwargs):
    return function(*args, **kwargs) if isinstance(args, tuple) else function(args, **kwargs)


@pytest.mark.parametrize("function, args, index, reason", REFUSED)
def test_refusal_names_the_first_bad_index_and_why(function, args, index, reason):
    with pytest.raises(ValueError) as error:
        call(function, args)
    message = str(error.value)
    assert message.startswith(f"sec1996.{function.__name__}: "), message
    assert reason in message, message
    if index is not None:
        assert f"at index {index} (" in message, message
    # The same input under coerce: no exception, and exactly the refused
    # elements are invalid, among them the first.
    result, valid = call(function, args, errors="coerce")
    valid = np.atleast_1d(valid)
    assert not valid.all()
    if index is not None:
        first = np.ravel_multi_index(np.atleast_1d(index), valid.shape)
        assert not valid.reshape(-1)[first] and valid.reshape(-1)[:first].all()


def test_coerce_leaves_the_documented_sentinels():
    counts = np.array([LEAP, -1, LAST + 1])
    times, valid = sec1996.to_datetime64(counts, errors="coerce")
    assert valid.tolist() == [True, False, False]
    assert times[0] == T("1997-06-30T23:59:59") and np.isnat(times[1:]).all()
    assert sec1996.to_iso(counts, errors="coerce")[0].tolist() == [b"1997-06-30T23:59:60Z", b"", b""]
    assert sec1996.to_text(counts, errors="coerce")[0][1:].tolist() == [b"", b""]
    assert sec1996.is_leap_second(counts, errors="coerce")[0].tolist() == [True, False, False]
    assert sec1996.to_fields(counts, errors="coerce")[0][1:].tolist() == [(0,) * 6] * 2
    (years, days), _ = sec1996.to_year_day(counts, errors="coerce")
    assert years[1:].tolist() == [0, 0] and np.isnan(days[1:]).all()
    parsed, valid = sec1996.from_iso(["bad", "1996-01-01T00:00:01Z"], errors="coerce")
    assert parsed.tolist() == [sec1996.COUNT_SENTINEL, 1] and valid.tolist() == [False, True]


def test_leap_mark_only_on_the_second_before_a_leap_second():
    times = np.array(["1997-06-30T23:59:59", "1997-06-30T23:59:58", "1997-06-30T23:59:59"], "M8[s]")
    counts, valid = sec1996.from_datetime64(times, leap=[True, True, False], errors="coerce")
    assert counts.tolist() == [LEAP, 0, LEAP - 1] and valid.tolist() == [True, False, True]
    with pytest.raises(ValueError, match=r"at index 1 .*marked as a leap second"):
        sec1996.from_datetime64(times, leap=[True, True, False])
    assert sec1996.from_datetime64(times[0], leap=True) == LEAP  # broadcast


@pytest.mark.parametrize(
    "function, args, words",
    [
        (sec1996.to_datetime64, ([1.0],), "integer dtype, not float64"),
        (sec1996.to_iso, ([True],), "integer dtype, not bool"),
        (sec1996.to_fields, (np.array([1], object),), "integer dtype, not object"),
        (sec1996.to_year_day, (["1"],), "integer dtype"),
        (sec1996.from_datetime64, ([0],), "datetime64 dtype, not int64"),
        (sec1996.from_datetime64, (np.array(["2000-01"], "M8[M]"),), "unit 'M'"),
        (sec1996.from_datetime64, (np.array(["2000-01-01"], "M8[s]"), [1]), "leap must be a bool"),
        (sec1996.from_iso, ([1],), "str or bytes, not dtype int64"),
        (sec1996.from_fields, (2000, 1.0, 1), "mon must have an integer dtype"),
        (sec1996.from_fields, (2000,), "year, mon and day are required"),
        (sec1996.from_fields, (np.zeros(1, sec1996.FIELDS_DTYPE), 1), "record array alone"),
        (sec1996.from_fields, (np.zeros(1, [("year", "i4")]),), "lacks the field(s) ['mon'"),
        (sec1996.from_year_day, (2000.0, 1.0), "year must have an integer dtype"),
        (sec1996.from_year_day, (2000, np.longdouble(1)), "day must be float64 or narrower"),
    ],
)
def test_wrong_types_raise_in_both_modes(function, args, words):
    if function is sec1996.from_datetime64 and len(args) == 2:
        args, kwargs = args[:1], {"leap": args[1]}
    else:
        kwargs = {}
    for errors in ["raise", "coerce"]:
        with pytest.raises(ValueError, match=re.escape(words)):
            function(*args, errors=errors, **kwargs)
    with pytest.raises(ValueError, match="errors must be 'raise' or 'coerce'"):
        sec1996.to_iso(0, errors="ignore")


def test_shapes_dtypes_and_pandas():
    # A 0-d input gives numpy scalars; any shape and any layout is kept.
    assert isinstance(sec1996.to_datetime64(LEAP), np.datetime64)
    grid = np.arange(24, dtype=">i8").reshape(2, 3, 4)[:, ::2, ::-1]  # big-endian, strided
    assert sec1996.to_iso(grid).shape == (2, 2, 4)
    assert np.array_equal(sec1996.from_iso(sec1996.to_iso(grid)), grid)
    # A Series or Index goes in as it is; the result is DatetimeIndex-ready.
    series = pd.Series([0, LEAP, LEAP + 1], index=list("abc"))
    index = pd.DatetimeIndex(sec1996.to_datetime64(series))
    assert index[1] == pd.Timestamp("1997-06-30T23:59:59")
    leap = sec1996.is_leap_second(pd.Index(series))
    assert np.array_equal(sec1996.from_datetime64(index, leap=leap), series)
    texts = pd.Series(sec1996.to_iso(series).astype(str))  # object dtype, str elements
    assert np.array_equal(sec1996.from_iso(texts), series)
    # Fields broadcast together; a record array of other integer types is taken.
    assert sec1996.from_fields(1997, 6, 30, 23, 59, [59, 60, 61]).tolist() == [LEAP - 1, LEAP, LEAP + 1]
    records = sec1996.to_fields([LEAP]).astype([(n, "i8") for n in sec1996.FIELDS_DTYPE.names])
    assert sec1996.from_fields(records).tolist() == [LEAP]


def test_docstring_examples_hold():
    import doctest

    result = doctest.testmod(
        sec1996, extraglobs={"np": np, "sec1996": sec1996}, optionflags=doctest.NORMALIZE_WHITESPACE
    )
    assert result.attempted > 10 and result.failed == 0
