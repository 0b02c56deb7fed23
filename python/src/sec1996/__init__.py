"""Sec1996 counts in numpy, pandas and Dask: whole columns in one call.

A Sec1996 count is an unsigned 32-bit number of seconds since
1996-01-01 00:00:00 UTC in which every inserted leap second is counted: the
count goes up by exactly one each second, and 47260800 is the leap second
1997-06-30 23:59:60.  Counts 0 to 4294967295 cover 1996-01-01T00:00:00 to
2132-02-07T06:28:14.  This package converts arrays of counts with the
Sec1996 C library itself (compiled into the extension), in one pass over the
data in C++ and without the GIL, so the results are the library's, element
for element.

Functions (each takes a scalar or any array-like and returns numpy arrays of
the same shape; a scalar in gives a numpy scalar out):

================================  ===========================================
counts -> ``datetime64[s]``        :func:`to_datetime64` (the leap second reads
                                   23:59:59, as POSIX time has no second 60)
``datetime64`` -> counts           :func:`from_datetime64` (``leap=`` restores
                                   the leap seconds)
counts -> leap-second mask         :func:`is_leap_second`
counts -> ISO 8601 text            :func:`to_iso` (``1997-06-30T23:59:60Z``)
ISO 8601 text -> counts            :func:`from_iso` (strict)
counts -> six fields               :func:`to_fields` (a structured array)
six fields -> counts               :func:`from_fields` (the library's
                                   normalisation: month 13, 23:59:60, ...)
counts -> (year, day of year)      :func:`to_year_day`
(year, day of year) -> counts      :func:`from_year_day`
counts -> library text             :func:`to_text` (``30-Jun-1997 23:59:59``)
================================  ===========================================

Errors.  Inputs are checked as numpy would check them: a count below 0 or
above 4294967295, a count array of a non-integer dtype, a NaT, a time or
record off the scale, or a text the strict parser refuses raises
``ValueError`` naming the first bad index and the reason.  Nothing is
wrapped modulo 2^32 or truncated silently.  With ``errors="coerce"`` every
function instead returns a pair ``(result, valid)``: ``valid`` is a bool
array, False where an element was refused, and the result holds a sentinel
there: NaT for times, ``b""`` for texts, all-zero records, year 0 and NaN
for the day of the year, :data:`COUNT_SENTINEL` (0) for counts.  A wrong
dtype raises in both modes: it has no index.

Example
-------
>>> import numpy as np, sec1996
>>> counts = np.array([0, 47260799, 47260800, 47260801], dtype=np.uint32)
>>> sec1996.to_iso(counts)
array([b'1996-01-01T00:00:00Z', b'1997-06-30T23:59:59Z',
       b'1997-06-30T23:59:60Z', b'1997-07-01T00:00:00Z'], dtype='|S20')
>>> times = sec1996.to_datetime64(counts)
>>> leap = sec1996.is_leap_second(counts)
>>> bool((sec1996.from_datetime64(times, leap=leap) == counts).all())
True

With pandas, a Series or Index goes in as it is and a numpy array comes out,
ready for a ``DatetimeIndex``::

    s = pd.Series(counts)
    pd.DatetimeIndex(sec1996.to_datetime64(s))
    frame["when"] = sec1996.to_datetime64(frame["count"])

With Dask, each partition is converted where it lies::

    dask_array.map_blocks(sec1996.to_datetime64, dtype="datetime64[s]")
"""

from __future__ import annotations

from math import gcd
from typing import Any, Literal, Optional, Tuple, Union

import numpy as np
from numpy.typing import ArrayLike, NDArray

from . import _ext

__all__ = [
    "COUNT_SENTINEL",
    "FIELDS_DTYPE",
    "LAST_COUNT",
    "from_datetime64",
    "from_fields",
    "from_iso",
    "from_year_day",
    "is_leap_second",
    "to_datetime64",
    "to_fields",
    "to_iso",
    "to_text",
    "to_year_day",
]

#: The C library's version (the project's version in CMakeLists.txt).
__version__: str = _ext.__version__

#: The count written where an element is refused under ``errors="coerce"``;
#: the ``valid`` mask tells it from a real count 0.
COUNT_SENTINEL: int = int(_ext.COUNT_SENTINEL)

#: The last count of the scale, 2132-02-07T06:28:14.
LAST_COUNT: int = 4294967295

#: The record of :func:`to_fields` and :func:`from_fields`: the six int32
#: fields of the C library's Date1996, in its order and layout.
FIELDS_DTYPE = np.dtype([(name, np.int32) for name in ("year", "mon", "day", "hour", "min", "sec")])
_FIELD_NAMES = FIELDS_DTYPE.names

Errors = Literal["raise", "coerce"]
Mask = NDArray[np.bool_]
Counts = NDArray[np.uint32]
Times = NDArray[np.datetime64]
Texts = NDArray[np.bytes_]
Records = NDArray[np.void]
YearDays = Tuple[NDArray[np.int32], NDArray[np.float64]]
# The result of an errors="raise" call, or of errors="coerce" with its mask.
# (A 0-d input gives numpy scalars of the same types.)
Result = Union[Any, Tuple[Any, Any]]

# datetime64 units as seconds = value * num / den.  Months and years have no
# fixed length and are not taken.
_UNIT_SECONDS = {
    "W": (604800, 1),
    "D": (86400, 1),
    "h": (3600, 1),
    "m": (60, 1),
    "s": (1, 1),
    "ms": (1, 10**3),
    "us": (1, 10**6),
    "ns": (1, 10**9),
    "ps": (1, 10**12),
    "fs": (1, 10**15),
    "as": (1, 10**18),
}


# ---- Argument preparation ---------------------------------------------------


def _coerce(errors: str, function: str) -> bool:
    if errors == "raise":
        return False
    if errors == "coerce":
        return True
    raise ValueError(f"sec1996.{function}: errors must be 'raise' or 'coerce', not {errors!r}")


def _native(a: np.ndarray) -> np.ndarray:
    """a, C-contiguous and in the machine's byte order (no copy if it is)."""
    if not a.dtype.isnative:
        a = a.astype(a.dtype.newbyteorder("="))
    return a if a.flags.c_contiguous else a.copy(order="C")  # ascontiguousarray makes 0-d 1-d


def _integers(values: ArrayLike, function: str, what: str) -> np.ndarray:
    a = np.asarray(values)
    if a.dtype.kind not in "iu":
        raise ValueError(
            f"sec1996.{function}: {what} must have an integer dtype, not {a.dtype}"
            " (convert exactly first, e.g. with .astype(np.int64) after checking the values)"
        )
    return _native(a)


def _show(value: Any) -> str:
    if isinstance(value, (np.bytes_, np.str_)):
        return repr(value.item())
    return repr(value) if isinstance(value, (bytes, str)) else str(value)


def _check(refusal: Optional[tuple], function: str, what: str, source: np.ndarray, shape: tuple) -> None:
    """Raises the ValueError for the first refused element, if any."""
    if refusal is None:
        return
    index, reason = refusal
    value = _show(source.reshape(-1)[index])
    if len(shape) == 0:
        where = f"{what} {value}"
    elif len(shape) == 1:
        where = f"{what} at index {index} ({value})"
    else:
        where = f"{what} at index {tuple(int(i) for i in np.unravel_index(index, shape))} ({value})"
    raise ValueError(f"sec1996.{function}: {where} refused: {reason}")


def _finish(result: Any, valid: Optional[np.ndarray]) -> Result:
    """Numpy scalars for 0-d results; the pair under errors="coerce"."""
    def scalar(x: Any) -> Any:
        if isinstance(x, tuple):
            return tuple(scalar(item) for item in x)
        return x[()] if x.ndim == 0 else x

    result = scalar(result)
    return result if valid is None else (result, scalar(valid))


def _over_counts(function: str, counts: ArrayLike, errors: str, kernel: Any, *dtypes: Any) -> Result:
    """Runs a counts-in kernel into fresh arrays of the given dtypes."""
    coerce = _coerce(errors, function)
    a = _integers(counts, function, "counts")
    outputs = [np.empty(a.shape, dtype) for dtype in dtypes]
    valid = np.empty(a.shape, np.bool_) if coerce else None
    refusal = kernel(
        a.reshape(-1), *(out.reshape(-1) for out in outputs), None if valid is None else valid.reshape(-1)
    )
    if not coerce:
        _check(refusal, function, "count", a, a.shape)
    return _finish(outputs[0] if len(outputs) == 1 else tuple(outputs), valid)


# ---- Counts in ----------------------------------------------------------------


def to_datetime64(counts: ArrayLike, *, errors: Errors = "raise") -> Union[Times, Tuple[Times, Mask]]:
    """Counts as ``datetime64[s]``, POSIX seconds (every day 86400 seconds).

    Parameters
    ----------
    counts : array_like of integers
        Sec1996 counts, any integer dtype; 0 to 4294967295.
    errors : {"raise", "coerce"}, default "raise"
        What a count off the scale does: raise, or become NaT.

    Returns
    -------
    numpy.ndarray of datetime64[s]
        The UTC time of each count.  The leap second 47260800 reads
        1997-06-30T23:59:59, like 47260799: a ``datetime64`` has no second
        60.  :func:`is_leap_second` tells the two apart, and
        :func:`from_datetime64` with ``leap=`` restores it.  Under
        ``errors="coerce"``, the pair ``(times, valid)``.

    Raises
    ------
    ValueError
        For a non-integer dtype, or (raise mode) a count below 0 or above
        4294967295, naming the first one.

    Examples
    --------
    >>> sec1996.to_datetime64([0, 47260800])
    array(['1996-01-01T00:00:00', '1997-06-30T23:59:59'], dtype='datetime64[s]')
    """
    return _over_counts("to_datetime64", counts, errors, _ext.to_posix, "datetime64[s]")


def is_leap_second(counts: ArrayLike, *, errors: Errors = "raise") -> Union[Mask, Tuple[Mask, Mask]]:
    """Whether each count is an inserted leap second (23:59:60).

    The library's table has one: 47260800, 1997-06-30T23:59:60Z.

    Parameters
    ----------
    counts : array_like of integers
        Sec1996 counts, 0 to 4294967295.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused count gives False, and the pair
        ``(mask, valid)`` is returned.

    Returns
    -------
    numpy.ndarray of bool
    """
    return _over_counts("is_leap_second", counts, errors, _ext.leap_mask, np.bool_)


def to_iso(counts: ArrayLike, *, errors: Errors = "raise") -> Union[Texts, Tuple[Texts, Mask]]:
    """Counts as lossless ISO 8601 texts, ``YYYY-MM-DDTHH:MM:SSZ``.

    Parameters
    ----------
    counts : array_like of integers
        Sec1996 counts, 0 to 4294967295.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused count gives ``b""``, and the pair
        ``(texts, valid)`` is returned.

    Returns
    -------
    numpy.ndarray of S20
        Twenty ASCII bytes per count; the leap second shows as it is,
        ``b"1997-06-30T23:59:60Z"``.  ``.astype(str)`` gives Python strings
        (at four bytes a character).

    Examples
    --------
    >>> sec1996.to_iso(47260800)
    b'1997-06-30T23:59:60Z'
    """
    return _over_counts("to_iso", counts, errors, _ext.to_iso, "S20")


def to_text(counts: ArrayLike, *, errors: Errors = "raise") -> Union[Texts, Tuple[Texts, Mask]]:
    """Counts as the library's text, ``DD-Mon-YYYY HH:MM:SS``.

    The text of the C function stringDate1996: English month abbreviations,
    and the leap second shown as 23:59:59 of its day (lossy; see
    :func:`to_iso`).

    Parameters
    ----------
    counts : array_like of integers
        Sec1996 counts, 0 to 4294967295.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused count gives ``b""``, and the pair
        ``(texts, valid)`` is returned.

    Returns
    -------
    numpy.ndarray of S20

    Examples
    --------
    >>> sec1996.to_text(47260801)
    b'01-Jul-1997 00:00:00'
    """
    return _over_counts("to_text", counts, errors, _ext.to_text, "S20")


def to_fields(counts: ArrayLike, *, errors: Errors = "raise") -> Union[Records, Tuple[Records, Mask]]:
    """Counts as six calendar fields, 23:59:60 on a leap second.

    Parameters
    ----------
    counts : array_like of integers
        Sec1996 counts, 0 to 4294967295.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused count gives an all-zero record (month 0,
        never a real one), and the pair ``(records, valid)`` is returned.

    Returns
    -------
    numpy.ndarray of FIELDS_DTYPE
        A structured array with int32 fields ``year``, ``mon`` (1-12),
        ``day`` (1-31), ``hour``, ``min`` and ``sec`` (0-59, and 60 on the
        leap second), as the C function cvtFromSec1996_lossless gives them.
        ``result["hour"]`` is one field as an array;
        :func:`from_fields` takes the record array back.

    Examples
    --------
    >>> sec1996.to_fields(47260800)
    (1997, 6, 30, 23, 59, 60)
    """
    return _over_counts("to_fields", counts, errors, _ext.to_fields, FIELDS_DTYPE)


def to_year_day(counts: ArrayLike, *, errors: Errors = "raise") -> Union[YearDays, Tuple[YearDays, Mask]]:
    """Counts as a year and the fractional day of that year.

    Bit for bit what the C function cvtFromSec1996_yd gives: the day of the
    year counted from 1 plus the seconds since that day's midnight / 86400.0.

    Parameters
    ----------
    counts : array_like of integers
        Sec1996 counts, 0 to 4294967295.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused count gives year 0 and day NaN, and
        ``((years, days), valid)`` is returned.

    Returns
    -------
    years : numpy.ndarray of int32
    days : numpy.ndarray of float64
        1.0 is 1 January 00:00:00.  The leap second has 86400 seconds since
        midnight, so it reads 182.0 in 1997, the same as the next count.

    Examples
    --------
    >>> sec1996.to_year_day([0, 47260800])
    (array([1996, 1997], dtype=int32), array([  1., 182.]))
    """
    return _over_counts("to_year_day", counts, errors, _ext.to_year_day, np.int32, np.float64)


# ---- Counts out ---------------------------------------------------------------


def from_datetime64(
    times: ArrayLike, *, leap: Optional[ArrayLike] = None, errors: Errors = "raise"
) -> Union[Counts, Tuple[Counts, Mask]]:
    """``datetime64`` values (any unit from weeks to attoseconds) as counts.

    Parameters
    ----------
    times : array_like of datetime64
        UTC times, POSIX-counted as numpy and pandas count them; a pandas
        ``DatetimeIndex`` or datetime Series (without time zone) is taken as
        it is.  Each must be a whole second from 1996-01-01T00:00:00 to
        2132-02-07T06:28:14.
    leap : array_like of bool, optional
        Where True, the time must be the 23:59:59 just before a leap second
        and gives that leap second's count: with the mask of
        :func:`is_leap_second` this makes :func:`to_datetime64` lossless.
        Broadcast to the shape of ``times``.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused time gives :data:`COUNT_SENTINEL`, and
        the pair ``(counts, valid)`` is returned.

    Returns
    -------
    numpy.ndarray of uint32

    Raises
    ------
    ValueError
        For a dtype other than datetime64 or a unit of months or years, and
        (raise mode) for NaT, a fraction of a second, a time off the scale
        or a ``leap`` mark on a time no leap second follows.

    Examples
    --------
    >>> sec1996.from_datetime64(np.datetime64("1997-07-01T00:00:00"))
    47260801
    """
    function = "from_datetime64"
    coerce = _coerce(errors, function)
    a = np.asarray(times)
    if a.dtype.kind != "M":
        raise ValueError(f"sec1996.{function}: times must have a datetime64 dtype, not {a.dtype}")
    unit, step = np.datetime_data(a.dtype)
    if unit not in _UNIT_SECONDS:
        raise ValueError(
            f"sec1996.{function}: datetime64 unit {unit!r} has no fixed length in seconds;"
            " convert to datetime64[D] or a finer unit first"
        )
    num, den = _UNIT_SECONDS[unit]
    num *= step
    common = gcd(num, den)
    values = _native(a).view(np.int64)
    mask = None
    if leap is not None:
        mask = np.asarray(leap)
        if mask.dtype != np.bool_:
            raise ValueError(f"sec1996.{function}: leap must be a bool array, not {mask.dtype}")
        mask = np.ascontiguousarray(np.broadcast_to(mask, a.shape)).reshape(-1)
    counts = np.empty(a.shape, np.uint32)
    valid = np.empty(a.shape, np.bool_) if coerce else None
    refusal = _ext.from_posix(
        values.reshape(-1),
        num // common,
        den // common,
        mask,
        counts.reshape(-1),
        None if valid is None else valid.reshape(-1),
    )
    if not coerce:
        _check(refusal, function, "time", a, a.shape)
    return _finish(counts, valid)


def from_iso(texts: ArrayLike, *, errors: Errors = "raise") -> Union[Counts, Tuple[Counts, Mask]]:
    """ISO 8601 texts as counts, read strictly by the C parser.

    Parameters
    ----------
    texts : array_like of str or bytes
        ``YYYY-MM-DDTHH:MM:SS`` with or without a final ``Z``, as a numpy
        ``S``/``U`` array, a list of strings, or a pandas Series of strings
        (object dtype; an element that is neither str nor bytes, such as
        None or NaN, is refused).  Nothing is normalised: no blanks, no
        lower-case ``z``, no other offset, no fraction; second 60 only on a
        leap second of the table; 1996-01-01T00:00:00 to
        2132-02-07T06:28:14.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused text gives :data:`COUNT_SENTINEL`, and
        the pair ``(counts, valid)`` is returned.

    Returns
    -------
    numpy.ndarray of uint32

    Raises
    ------
    ValueError
        For a dtype other than bytes, str or object, and (raise mode) for
        the first text the parser refuses, with the parser's reason and the
        offset of the refused character.

    Examples
    --------
    >>> sec1996.from_iso(["1997-06-30T23:59:60Z", "1997-07-01T00:00:00"])
    array([47260800, 47260801], dtype=uint32)
    """
    function = "from_iso"
    coerce = _coerce(errors, function)
    a = np.asarray(texts)
    if a.dtype.kind not in "SUO":
        raise ValueError(f"sec1996.{function}: texts must be str or bytes, not dtype {a.dtype}")
    a = _native(a)
    counts = np.empty(a.shape, np.uint32)
    valid = np.empty(a.shape, np.bool_) if coerce else None
    refusal = _ext.from_iso(a.reshape(-1), counts.reshape(-1), None if valid is None else valid.reshape(-1))
    if not coerce:
        _check(refusal, function, "text", a, a.shape)
    return _finish(counts, valid)


def from_fields(
    year: ArrayLike,
    mon: Optional[ArrayLike] = None,
    day: Optional[ArrayLike] = None,
    hour: Optional[ArrayLike] = None,
    min: Optional[ArrayLike] = None,  # noqa: A002 - the library's field name
    sec: Optional[ArrayLike] = None,
    *,
    errors: Errors = "raise",
) -> Union[Counts, Tuple[Counts, Mask]]:
    """Calendar fields as counts, normalised as the C function cvtToSec1996.

    Any int32 values are taken: the date rolls over (month 13 is January of
    the next year, day 0 the last day of the month before) and the time of
    day is added to that date's midnight as it stands, so 23:59:60 and
    24:00:00 of 1997-06-30 are the leap second.  Unlike the C function,
    which wraps modulo 2^32, a record whose instant lies off the scale is
    refused.

    Parameters
    ----------
    year : array_like of integers, or a structured array
        The years; or a record array with the six fields of
        :data:`FIELDS_DTYPE` (any integer types), as :func:`to_fields` gives,
        and then no other field argument.
    mon, day : array_like of integers
        Required unless ``year`` is a record array.
    hour, min, sec : array_like of integers, optional
        0 when not given.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused record gives :data:`COUNT_SENTINEL`, and
        the pair ``(counts, valid)`` is returned.

    The fields are broadcast together.  Each must have an integer dtype and
    every value must fit in int32.

    Returns
    -------
    numpy.ndarray of uint32

    Examples
    --------
    >>> sec1996.from_fields(1997, 6, 30, 23, 59, 60)
    47260800
    >>> sec1996.from_fields(1997, 13, 1)  # 1998-01-01, after the leap second
    63158401
    """
    function = "from_fields"
    coerce = _coerce(errors, function)
    names = getattr(np.asarray(year).dtype, "names", None)
    if names is not None:
        if any(field is not None for field in (mon, day, hour, min, sec)):
            raise ValueError(f"sec1996.{function}: give a record array alone, or six field arrays")
        record = np.asarray(year)
        missing = [name for name in _FIELD_NAMES if name not in names]
        if missing:
            raise ValueError(f"sec1996.{function}: the record array lacks the field(s) {missing}")
        fields = [record[name] for name in _FIELD_NAMES]
    else:
        if mon is None or day is None:
            raise ValueError(f"sec1996.{function}: year, mon and day are required")
        fields = [year, mon, day] + [0 if field is None else field for field in (hour, min, sec)]
    arrays = [_integers(field, function, name) for field, name in zip(fields, _FIELD_NAMES)]
    arrays = [_native(np.asarray(field)) for field in np.broadcast_arrays(*arrays)]
    shape = arrays[0].shape
    counts = np.empty(shape, np.uint32)
    valid = np.empty(shape, np.bool_) if coerce else None
    refusal = _ext.from_fields(
        tuple(field.reshape(-1) for field in arrays),
        counts.reshape(-1),
        None if valid is None else valid.reshape(-1),
    )
    if not coerce and refusal is not None:
        shown = np.rec.fromarrays([field.reshape(-1) for field in arrays], names=list(_FIELD_NAMES))
        _check(refusal, function, "record", shown, shape)
    return _finish(counts, valid)


def from_year_day(
    year: ArrayLike, day: ArrayLike, *, errors: Errors = "raise"
) -> Union[Counts, Tuple[Counts, Mask]]:
    """Years and fractional days of the year as counts.

    Bit for bit what the C function cvtToSec1996_yd gives: midnight of day
    ``trunc(day)`` of the year, plus the fraction in seconds rounded to the
    nearest (halves up).  Day 0 is 31 December of the year before; days
    past the year's end run on.  182.0 in 1997 is 1997-07-01 00:00:00,
    one count after the leap second.  Unlike the C function, which reads NaN
    as 1.0, clamps beyond +-2^31 days and wraps modulo 2^32, these are
    refused.

    Parameters
    ----------
    year : array_like of integers
        Years, each fitting in int32.
    day : array_like of floats or integers
        Days of the year counted from 1, with a fraction of a day.
    errors : {"raise", "coerce"}, default "raise"
        Under "coerce" a refused pair gives :data:`COUNT_SENTINEL`, and the
        pair ``(counts, valid)`` is returned.

    Returns
    -------
    numpy.ndarray of uint32
        Broadcast shape of ``year`` and ``day``.

    Examples
    --------
    >>> sec1996.from_year_day(1997, [181.99999999, 182.0])
    array([47260800, 47260801], dtype=uint32)
    """
    function = "from_year_day"
    coerce = _coerce(errors, function)
    years = _integers(year, function, "year")
    days = np.asarray(day)
    if days.dtype.kind not in "fiu" or days.dtype.itemsize > 8 and days.dtype.kind == "f":
        raise ValueError(
            f"sec1996.{function}: day must be float64 or narrower, or an integer, not {days.dtype}"
        )
    years, days = np.broadcast_arrays(years, days.astype(np.float64, copy=False))
    years, days = _native(years), _native(days)
    counts = np.empty(years.shape, np.uint32)
    valid = np.empty(years.shape, np.bool_) if coerce else None
    refusal = _ext.from_year_day(
        years.reshape(-1), days.reshape(-1), counts.reshape(-1), None if valid is None else valid.reshape(-1)
    )
    if not coerce and refusal is not None:
        shown = np.rec.fromarrays([years.reshape(-1), days.reshape(-1)], names=["year", "day"])
        _check(refusal, function, "(year, day)", shown, years.shape)
    return _finish(counts, valid)
