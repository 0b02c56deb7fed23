"""What each function refuses, how it says so, and what the other two
modes give for the same input."""

import re

import numpy as np
import pandas as pd
import pytest
import sec1996
from conftest import LAST, LEAP, coerced

OFF_SCALE = "outside the scale"
COUNT_RANGE = "a count is 0 to 4294967295"
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
    *[(f, ([5, -1, -2],), 1, COUNT_RANGE) for f in COUNTS_IN],
    *[(f, (np.array([LAST, LAST + 1, 0], np.uint64),), 1, COUNT_RANGE) for f in COUNTS_IN],
    *[(f, ([0.0, 4294967295.0, 4294967296.0],), 2, COUNT_RANGE) for f in COUNTS_IN],
    *[(f, ([0.0, -0.5],), 1, COUNT_RANGE) for f in COUNTS_IN],
    *[(f, ([1.0, 2.5],), 1, "a fraction of a second") for f in COUNTS_IN],
    *[(f, ([1.0, np.nan],), 1, "not a number") for f in COUNTS_IN],
    (sec1996.to_iso, (np.array([[0, 1], [2**40, -1]]),), (1, 0), COUNT_RANGE),
    (sec1996.to_iso, (np.array([0, 1, 2**32])[::-1],), 0, COUNT_RANGE),  # C order of the view
    (sec1996.to_datetime64, (np.array(-1, np.int8),), None, COUNT_RANGE),
    (sec1996.from_datetime64, (np.array(["2000-01-01", "NaT"], "M8[s]"),), 1, "NaT"),
    (sec1996.from_datetime64, (np.array(["1995-12-31T23:59:59"], "M8[s]"),), 0, OFF_SCALE),
    (sec1996.from_datetime64, (np.array(["2132-02-07T06:28:15"], "M8[s]"),), 0, OFF_SCALE),
    (
        sec1996.from_datetime64,
        (np.array([2**62], "M8[W]"),),
        0,
        OFF_SCALE,
    ),  # overflows int64 seconds
    (sec1996.from_datetime64, (np.array([T("2000-01-01T00:00:00.001")]),), 0, "a fraction of"),
    (sec1996.from_datetime64, (np.array([-1], "M8[ns]"),), 0, "a fraction of a second"),
    (sec1996.from_fields, (2000, 1, 1, 0, 0, [0, 2**31]), 1, "a field is out of its range"),
    (sec1996.from_fields, (2000, [1, -(2**31) - 1], 1), 1, "a field is out of its range"),
    (sec1996.from_fields, (1995, 12, 31, 23, 59, 59), None, OFF_SCALE),
    (sec1996.from_year_day, ([2000, 2**31], 1.0), 1, "a field is out of its range"),
    (sec1996.from_year_day, (2000, [1.0, -np.inf]), 1, "not a number"),
    (sec1996.from_year_day, (2000, [1.0, -(2.0**31) - 1]), 1, "a field is out of its range"),
    (sec1996.from_year_day, (2132, 39.0), None, OFF_SCALE),
    (
        sec1996.from_iso,
        (["1997-06-30T23:59:60Z", "1997-06-30 23:59:59"],),
        1,
        "SS[Z] (at offset 10)",
    ),
    (sec1996.from_iso, (["1997-06-30T23:59:59z"],), 0, "(at offset 19)"),
    (sec1996.from_iso, ([b"1997-06-30T23:59:59+00:00"],), 0, "(at offset 19)"),
    (sec1996.from_iso, (["1997-13-01T00:00:00"],), 0, "a field is out of its range (at offset 5)"),
    (sec1996.from_iso, (["1997-02-29T00:00:00"],), 0, "does not exist in its month (at offset 8)"),
    (sec1996.from_iso, (["1997-06-30T24:00:00"],), 0, "out of its range (at offset 11)"),
    (
        sec1996.from_iso,
        (["1997-06-29T23:59:60"],),
        0,
        "not a leap second of the scale (at offset 17)",
    ),
    (sec1996.from_iso, (["1995-12-31T23:59:59"],), 0, OFF_SCALE),
    (sec1996.from_iso, (["2132-02-07T06:28:15Z"],), 0, OFF_SCALE),
    (
        sec1996.from_iso,
        (["1997-\u00e906-30T00:00:00"],),
        0,
        "(at offset 5)",
    ),
    # A character whose low byte is a digit ("\u0137" ends in 0x37, "7") is no digit.
    (
        sec1996.from_iso,
        (["199\u0137-06-30T23:59:59"],),
        0,
        "(at offset 3)",
    ),  # offsets in characters
    (sec1996.from_iso, (np.array([b"1997-06-30T00:00\x0000"]),), 0, "(at offset 16)"),
    (
        sec1996.from_iso,
        (["1997-06-30T23:59:59.25Z"],),
        0,
        "a fraction of a second where whole seconds are needed (at offset 19)",
    ),
    (sec1996.from_iso, (["1997-13-30T23:59:59.25Z"],), 0, "out of its range (at offset 5)"),
    (sec1996.from_iso, (["1997-06-30T23:59:59." + "0" * 60],), 0, "YYYY-MM-DDTHH:MM:SS[Z]"),
    (sec1996.from_iso, (np.array([b"1997-06-30T23:59:59\xff"]),), 0, "(at offset 19)"),  # not UTF-8
    # A valid text up to a zero byte, and more after it: the array reader stops at the zero.
    (sec1996.from_iso, (np.array([b"1997-06-30T23:59:59\x00Z"]),), 0, "(at offset 19)"),
    (
        sec1996.from_iso,
        (np.array([b"1996-01-01T00:00:00"] * 300 + [b"1996-01-01T00:00:0x"]),),
        300,
        "(at offset 18)",
    ),  # past the first block
    (
        sec1996.from_iso,
        (np.array([b"1996-01-01T00:00:00", b"", b"1997-06-29T23:59:60"])[::2],),
        1,
        "not a leap second of the scale (at offset 17)",
    ),
    (
        sec1996.from_iso,
        (pd.Series(["2000-01-01T00:00:00", None]),),
        1,
        "not a str or bytes but NoneType",
    ),
    (sec1996.from_iso, (pd.Series([b"1996-01-01T00:00:00", np.nan]),), 1, "not a number"),
    (sec1996.from_iso, (np.array(["1996-01-01T00:00:00", 5], object),), 1, "but int"),
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
    # The same input under coerce and status: no exception, and the first
    # element refused there is the one named.
    result = call(function, args, errors="coerce")
    _, status = call(function, args, errors="status")
    status = np.asarray(status)
    if isinstance(result, tuple):
        result = result[0]
    _, valid = coerced(result)
    valid = np.atleast_1d(valid)
    assert np.array_equal(valid, np.atleast_1d(status == 0))
    assert not valid.all()
    if index is not None:
        first = np.ravel_multi_index(np.atleast_1d(index), valid.shape)
        assert not valid.reshape(-1)[first] and valid.reshape(-1)[:first].all()
        assert sec1996.status_text(status.reshape(-1)[first]) in message


def test_each_mode_has_one_return_type():
    counts = np.array([LEAP, -1, LAST + 1])
    times = sec1996.to_datetime64(counts, errors="coerce")  # NaT: no mask needed
    assert type(times) is np.ndarray and times[0] == T("1997-06-30T23:59:59")
    assert np.isnat(times[1:]).all()
    for function in [sec1996.to_iso, sec1996.to_text, sec1996.is_leap_second, sec1996.to_fields]:
        raised = function(counts[:1])
        masked = function(counts, errors="coerce")
        assert type(masked) is np.ma.MaskedArray and masked.dtype == raised.dtype, function
        assert coerced(masked)[1].tolist() == [True, False, False], function
        assert masked[0] == raised[0], function
        values, status = function(counts, errors="status")
        assert type(values) is np.ndarray and values.dtype == raised.dtype, function
        assert status.dtype == np.int16 and status.tolist() == [0, 5, 5], function
    years, days = sec1996.to_year_day(counts, errors="coerce")
    assert years.mask.tolist() == days.mask.tolist() == [False, True, True]
    (years, days), status = sec1996.to_year_day(counts, errors="status")
    assert years[1:].tolist() == [0, 0] and np.isnan(days[1:]).all() and status[0] == 0
    parsed = sec1996.from_iso(["bad", "1996-01-01T00:00:01Z"], errors="coerce")
    assert parsed.mask.tolist() == [True, False] and parsed[1] == 1


def test_leap_mark_only_on_the_second_before_a_leap_second():
    times = np.array(["1997-06-30T23:59:59", "1997-06-30T23:59:58", "1997-06-30T23:59:59"], "M8[s]")
    counts, status = sec1996.from_datetime64(times, leap=[True, True, False], errors="status")
    assert counts.tolist() == [LEAP, 0, LEAP - 1] and status.tolist() == [0, 4, 0]
    with pytest.raises(ValueError, match=r"at index 1 .*marked as a leap second"):
        sec1996.from_datetime64(times, leap=[True, True, False])
    assert sec1996.from_datetime64(times[0], leap=True) == LEAP  # broadcast
    # A bad mark before another refusal is the one named.
    later = np.array(["1997-06-30T23:59:58", "NaT"], "M8[s]")
    with pytest.raises(ValueError, match=r"at index 0 .*marked as a leap second"):
        sec1996.from_datetime64(later, leap=[True, False])
    with pytest.raises(ValueError, match=r"at index 0 .*marked as a leap second"):
        sec1996.from_datetime64(np.array(["2132-02-07T06:28:14"], "M8[s]"), leap=True)


@pytest.mark.parametrize(
    "function, args, words",
    [
        (
            sec1996.to_iso,
            ([True],),
            "counts must be integers or whole float64 numbers, not dtype bool",
        ),
        (sec1996.to_fields, (np.array([1], object),), "not dtype object"),
        (sec1996.to_year_day, (["1"],), "not dtype <U1"),
        (sec1996.to_datetime64, (np.array([1], np.longdouble),), "not dtype float128"),
        (sec1996.from_datetime64, ([0],), "datetime64 dtype, not dtype int64"),
        (sec1996.from_datetime64, (np.array(["2000-01"], "M8[M]"),), "unit 'M'"),
        (sec1996.from_datetime64, (np.array(["2000-01-01"], "M8[s]"), [1]), "leap must be bool"),
        (sec1996.from_iso, ([1],), "str or bytes, not dtype int64"),
        (
            sec1996.from_fields,
            (2000, 1.0, 1),
            "fields must have an integer dtype, not dtype float64",
        ),
        (sec1996.from_fields, (2000,), "year, mon and day are required"),
        (sec1996.from_fields, (np.zeros(1, sec1996.FIELDS_DTYPE), 1), "record array alone"),
        (sec1996.from_fields, (np.zeros(1, [("year", "i4")]),), "lacks the field(s) ['mon'"),
        (sec1996.from_year_day, (2000.0, 1.0), "fields must have an integer dtype"),
        (
            sec1996.from_year_day,
            (2000, np.longdouble(1)),
            "days must be numbers, not dtype float128",
        ),
    ],
)
def test_wrong_types_raise_in_every_mode(function, args, words):
    if function is sec1996.from_datetime64 and len(args) == 2:
        args, kwargs = args[:1], {"leap": args[1]}
    else:
        kwargs = {}
    for errors in ["raise", "coerce", "status"]:
        with pytest.raises(TypeError, match=re.escape(words)):
            function(*args, errors=errors, **kwargs)
    with pytest.raises(ValueError, match="errors must be 'raise', 'coerce' or 'status'"):
        sec1996.to_iso(0, errors="ignore")
    with pytest.raises(ValueError, match="fraction must be 'raise' or 'floor'"):
        sec1996.from_iso("1996-01-01T00:00:00", fraction="round")


def test_the_input_is_never_modified():
    inputs = {
        "counts": np.array([0, -1, LEAP, 2**40]),
        "times": np.array(["1997-06-30T23:59:59", "NaT"], "M8[ns]"),
        "texts": np.array(["1997-06-30T23:59:60Z", "1997-06-30T23:59:59.5"]),
    }
    before = {k: v.copy() for k, v in inputs.items()}
    for errors in ["coerce", "status"]:
        sec1996.to_iso(inputs["counts"], errors=errors)
        sec1996.from_datetime64(
            inputs["times"], leap=[True, False], fraction="floor", errors=errors
        )
        sec1996.from_iso(inputs["texts"], fraction="floor", errors=errors)
    for k, v in inputs.items():
        assert np.array_equal(v, before[k], equal_nan=k == "times"), k
