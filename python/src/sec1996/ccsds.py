"""Counts in and out of the CCSDS time codes CUC, CDS and CCS, whole columns at a time.

The codes of CCSDS 301.0-B-4 as the C library's ``sec1996_ccsds.h`` writes
and reads them (see docs/time-codes.md):

- CUC, level 2 with the scale's epoch: the coarse time **is** the count, the
  fine time a binary fraction, in units of 2^-64 s (``2**63`` is half a
  second).  Level 1 (``level=1``): the coarse time is TAI seconds since
  1958-01-01 from a leap-second list (``leap_list=``, as in
  :mod:`sec1996.scales`).
- CDS: days from 1958-01-01 (``epoch=1958``, level 1) or from an agency
  epoch date, milliseconds of the UTC day (86,400,000 and up on the leap
  second 1997-06-30T23:59:60) and a microsecond or picosecond segment; the
  fraction in picoseconds.
- CCS: the UTC calendar in BCD, month and day or day of the year, and 0 to
  6 octets of decimal sub-seconds; the fraction in picoseconds.

The defaults are the ``sec1996`` command's: CUC 4+2 octets, CDS with a 16-bit
day and microseconds from 1958, CCS month and day with 3 sub-second octets,
each with its P-field.  One call takes one layout; with ``p_field=True`` each
code must carry the P-field that layout is written with.

Codes out are ``V{n}`` arrays by default, ``n`` the layout's length (a
``V`` element keeps every octet; ``bytes(element)`` or ``.tobytes()`` gives
them), ``S{n}`` with ``dtype=bytes`` or ``uint8[..., n]`` with
``dtype=np.uint8``.  Codes in are bytes objects (a list of them, an object
array, a pandas column), ``V``/``S`` arrays or uint8 arrays whose last axis
holds the octets.  A bytes object, a ``V`` element and a uint8 row must have
the layout's length exactly: shorter is refused as TRUNCATED, longer as
OTHER_LAYOUT.  numpy's ``S`` dtype drops trailing zero octets when an element
is read back, so an ``S`` element (and a ``numpy.bytes_``, what reading one
gives) is taken as its octets followed by zero
octets up to the layout's length (and a longer one only where its octets
past the layout's length are all zero): an ``S`` array cannot tell a code
ending in 0x00 from a shorter one, so a truncated code in an ``S`` array
reads as if it ended in zeros.  Keep codes in ``V`` or uint8 arrays or as
bytes objects where that matters.

A decoder gives the pair ``(counts, fractions)``, uint32 and uint64: the
fraction the code holds is never dropped.  ``errors=`` as everywhere in
:mod:`sec1996`; ``"status"`` gives ``((counts, fractions), status)``.

>>> codes = sec1996.to_cuc([0, 47260800], [0, 3 << 62])
>>> [bytes(code).hex() for code in codes]
['2e000000000000', '2e02d12480c000']
>>> counts, fractions = sec1996.from_cuc(codes)
>>> counts, fractions / 2.0**64
(array([       0, 47260800], dtype=uint32), array([0.  , 0.75]))
"""

from __future__ import annotations

import datetime as _datetime
import operator
from typing import Any, List, Optional, Tuple

import numpy as np

from . import _ext, ufunc
from . import _Wrap, _finish, _is_dask, _is_xarray, _lazy, _run, _unwrap, _where, status_text
from . import Sec1996ParseStatus as _Status
from . import _mode
from .scales import LeapList, _leap_list, _Lenient, _map_flags, _reason, _warn_expired

__all__ = ["from_ccs", "from_cds", "from_cuc", "to_ccs", "to_cds", "to_cuc"]

_CUC, _CDS, _CCS = 0, 1, 2
_NAMES = ("CUC", "CDS", "CCS")
_SUB_MS = {"none": 0, "us": 1, "ps": 2}
_COUNT_RANGE = "a count is 0 to 4294967295"


# ---- Layouts -------------------------------------------------------------------


def _integer(value: Any, name: str, low: int, high: int, function: str) -> int:
    if isinstance(value, (bool, np.bool_)):
        raise TypeError(f"sec1996.{function}: {name} must be an integer, not {value!r}")
    try:
        number = operator.index(value)
    except TypeError:
        raise TypeError(f"sec1996.{function}: {name} must be an integer, not {value!r}") from None
    if not low <= number <= high:
        span = f"{low} or {high}" if high == low + 1 else f"{low} to {high}"
        raise ValueError(f"sec1996.{function}: {name} must be {span}, not {number}")
    return number


def _flag(value: Any, name: str, function: str) -> int:
    if not isinstance(value, (bool, np.bool_)):
        raise TypeError(f"sec1996.{function}: {name} must be True or False, not {value!r}")
    return int(value)


def _level(level: Any, function: str) -> int:
    if isinstance(level, (bool, np.bool_)) or level not in (1, 2):
        raise ValueError(
            f"sec1996.{function}: level must be 1 (TAI seconds since 1958-01-01 as coarse time)"
            f" or 2 (the scale's epoch, the count as coarse time), not {level!r}"
        )
    return int(level)


def _true_time(
    level: int, leap_list: Any, map_leap: Any, function: str
) -> Tuple[Optional[LeapList], Any]:
    """The list (None for level 2) and the map flags of a CUC call; the
    keywords of level 1 are refused with level 2 rather than ignored."""
    if level == 2:
        for name, value, unset in (("leap_list", leap_list, None), ("map_leap", map_leap, False)):
            if value is not unset:
                raise ValueError(
                    f"sec1996.{function}: {name} is for level=1 (TAI seconds since 1958); a level"
                    " 2 code does not depend on the leap-second list"
                )
        return None, np.False_
    table = _leap_list(leap_list, function)
    return table, map_leap if _is_dask(map_leap) else _map_flags(map_leap, function)


def _checked(code: int, layout: Tuple[int, ...], function: str) -> np.ndarray:
    """The layout as the ufuncs take it, refused unless the library takes it."""
    if _ext.code_length(code, layout) == 0:
        raise ValueError(f"sec1996.{function}: the library refuses the {_NAMES[code]} layout")
    return np.array(layout, np.int64)


def _cuc_layout(coarse: Any, fine: Any, p_field: Any, function: str) -> np.ndarray:
    layout = (
        _flag(p_field, "p_field", function),
        _integer(coarse, "coarse", 1, 7, function),
        _integer(fine, "fine", 0, 8, function),
    )
    return _checked(_CUC, layout, function)


def _epoch(epoch: Any, function: str) -> Tuple[int, int, int, int]:
    """(agencyEpoch, year, month, day) of epoch=: 1958, or a date."""
    if isinstance(epoch, (int, np.integer)) and not isinstance(epoch, (bool, np.bool_)):
        if epoch == 1958:
            return 0, 0, 0, 0
    elif isinstance(epoch, str):
        try:
            date = _datetime.date.fromisoformat(epoch)
        except ValueError:
            date = None
        if date is not None and len(epoch) == 10:
            return 1, date.year, date.month, date.day
    elif isinstance(epoch, np.datetime64) and not np.isnat(epoch):
        day = epoch.astype("datetime64[D]")
        if day == epoch:
            date = day.item()
            if isinstance(date, _datetime.date):
                return 1, date.year, date.month, date.day
    elif isinstance(epoch, _datetime.date) and not isinstance(epoch, _datetime.datetime):
        return 1, epoch.year, epoch.month, epoch.day
    raise ValueError(
        f"sec1996.{function}: epoch must be 1958 (level 1) or an agency epoch date, a"
        f" 'YYYY-MM-DD' text, a datetime.date or a whole-day datetime64, not {epoch!r}"
    )


def _cds_layout(
    day_octets: Any, sub_ms: Any, epoch: Any, p_field: Any, function: str
) -> np.ndarray:
    if not isinstance(sub_ms, str) or sub_ms not in _SUB_MS:
        raise ValueError(f"sec1996.{function}: sub_ms must be 'none', 'us' or 'ps', not {sub_ms!r}")
    days = _integer(day_octets, "day_octets", 2, 3, function)
    layout = (_flag(p_field, "p_field", function), days, _SUB_MS[sub_ms], *_epoch(epoch, function))
    checked = _checked(_CDS, layout, function)
    if layout[3]:  # the library decides what an agency epoch may be
        code = np.zeros(_length(_CDS, checked), np.uint8)
        _, status = ufunc.to_cds(np.uint32(0), np.uint64(0), checked, out=(code, None))
        if status == _Status.RESERVED:
            raise ValueError(f"sec1996.{function}: the library refuses the epoch {epoch!r}")
    return checked


def _ccs_layout(day_of_year: Any, octets: Any, p_field: Any, function: str) -> np.ndarray:
    layout = (
        _flag(p_field, "p_field", function),
        _flag(day_of_year, "day_of_year", function),
        _integer(octets, "sub_second_octets", 0, 6, function),
    )
    return _checked(_CCS, layout, function)


def _length(code: int, layout: np.ndarray) -> int:
    return int(_ext.code_length(code, tuple(int(v) for v in layout)))


class _Bound:
    """A gufunc of the codes with its layout bound in: called as the gufunc
    with the layout left out, which then broadcasts with a zero stride."""

    def __init__(self, kernel: np.ufunc, layout: np.ndarray, position: int, octets: int = 0):
        self.kernel, self.layout, self.position = kernel, layout, position
        self.octets = octets  # an encoder's: the codes' core dimension
        self.signature = kernel.signature

    def __call__(self, *args: Any, **kwargs: Any) -> Any:
        if self.octets and "out" not in kwargs:  # numpy cannot tell the codes' length
            shape = np.broadcast_shapes(*(np.shape(a) for a in args))
            kwargs["out"] = (np.empty((*shape, self.octets), np.uint8), None)
        arguments = list(args)
        arguments.insert(self.position, self.layout)
        return self.kernel(*arguments, **kwargs)


# ---- Encoders -----------------------------------------------------------------


def _code_dtype(dtype: Any, length: int, function: str) -> str:
    """"V" (the default), "S" or "u1": the kind of array the codes come in."""
    if dtype is None or dtype in ("V", np.void) or np.dtype(dtype) == np.dtype(f"V{length}"):
        return "V"
    if dtype in ("S", bytes, np.bytes_) or np.dtype(dtype) == np.dtype(f"S{length}"):
        return "S"
    if np.dtype(dtype) == np.uint8:
        return "u1"
    raise ValueError(
        f"sec1996.{function}: dtype must be None (V{length}), bytes (S{length}) or np.uint8, "
        f"not {dtype!r}"
    )


def _values(x: Any, function: str, what: str, kinds: str) -> Tuple[np.ndarray, Any]:
    x, like = _unwrap(x)
    a = np.asarray(x)
    if kinds == "iu" and a.dtype.kind == "f" and not isinstance(x, np.ndarray):
        a = _python_integers(x, a)
    if a.dtype.kind not in kinds or (a.dtype.kind == "f" and a.dtype.itemsize > 8):
        raise TypeError(f"sec1996.{function}: {what}, not dtype {a.dtype}")
    return a, like


def _python_integers(x: Any, a: np.ndarray) -> np.ndarray:
    """Python ints that numpy took as float64 (one of 2**63 or more beside
    others) as uint64, or int64 where one is negative; else a unchanged."""
    items = np.array(x, dtype=object)
    if not all(isinstance(v, int) and not isinstance(v, bool) for v in items.flat):
        return a
    signed = any(v < 0 for v in items.flat)
    try:
        return items.astype(np.int64 if signed else np.uint64)
    except OverflowError:
        return a


class _CodesWrap(_Wrap):
    """_Wrap, with V codes as bytes objects in pandas."""

    def __call__(self, result: Any, coerce: bool) -> Any:
        if (
            self.like is not None
            and not _is_xarray(self.like)
            and isinstance(result, np.ndarray)
            and result.dtype.kind == "V"
        ):
            if isinstance(result, np.ma.MaskedArray):
                result = np.ma.MaskedArray(np.ma.getdata(result).astype(object), result.mask)
            else:
                result = result.astype(object)
        return super().__call__(result, coerce)


def _encode(
    function: str,
    code: int,
    kernel: np.ufunc,
    layout: np.ndarray,
    counts: Any,
    fraction: Any,
    unit: str,
    dtype: Any,
    errors: str,
    out: Any,
    where: Any,
    table: Optional[LeapList] = None,
) -> Any:
    length = _length(code, layout)
    kind = _code_dtype(dtype, length, function)
    if _is_dask(counts) or _is_dask(fraction):
        if kind == "u1":
            raise ValueError(f"sec1996.{function}: dask codes are V{length} or S{length}")

        def block(c: Any, f: Any = None, **kw: Any) -> Any:
            errors = kw["errors"]
            return _encode(
                function, code, kernel, layout, c, f, unit, dtype, errors, None, True, table
            )

        args = [counts] if fraction is None else [counts, fraction]
        return _lazy(block, args, {"errors": errors}, 1, [f"{kind}{length}"])
    a, like = _values(counts, function, "counts must be integers or whole float64 numbers", "iuf")
    fractions: np.ndarray = np.uint64(0)  # type: ignore[assignment]
    if fraction is not None:
        words = f"fractions must be integers ({unit})"
        fractions, fraction_like = _values(fraction, function, words, "iu")
        wide = np.int64 if fractions.dtype.kind == "i" else np.uint64
        fractions = fractions.astype(wide, copy=False)
        like = like if like is not None else fraction_like
    if kind == "u1" and like is not None:
        raise ValueError(
            f"sec1996.{function}: dtype=np.uint8 takes numpy arrays, not {type(like).__name__}"
        )
    element = np.dtype(f"{'S' if kind == 'S' else 'V'}{length}")
    target = out
    if out is not None:
        if not isinstance(out, np.ndarray):
            raise TypeError(f"sec1996.{function}: out must be a numpy array")
        if kind == "u1":
            if out.dtype != np.uint8 or out.shape[-1:] != (length,) or out.strides[-1:] != (1,):
                raise TypeError(
                    f"sec1996.{function}: out must be a uint8 array of shape (..., {length})"
                    " with its last axis contiguous"
                )
            target = out.view(element)[..., 0]
        elif out.dtype != element:
            raise TypeError(f"sec1996.{function}: out must be a numpy array of dtype {element}")
    shape = np.broadcast_shapes(a.shape, np.shape(fractions))

    def describe(index: Tuple[int, ...], status: int) -> str:
        value = np.broadcast_to(a, shape)[index]
        shown = repr(value.item())
        if fraction is not None:
            shown = f"({shown}, {np.broadcast_to(fractions, shape)[index].item()!r})"
        words = status_text(status)
        if status == _Status.OUT_OF_SPAN:
            whole = value.dtype.kind in "iu" or (np.isfinite(value) and value == int(value))
            if not whole or not 0 <= value <= 4294967295:
                words += f": {_COUNT_RANGE}"
            elif table is not None:
                words += (
                    f": its TAI needs more than {layout[1]} coarse octets, or it lies before"
                    f" the leap-second list's first date ({table.entries['date'][0]})"
                )
            elif code == _CUC:
                words += f": the count needs more than {layout[1]} coarse octets"
            elif code == _CDS:
                words += ": a day before the epoch or past the day segment"
        elif status == _Status.FIELD_RANGE:
            top = "2**64 - 1" if code == _CUC else "10**12 - 1"
            words += f": a fraction is 0 to {top} ({unit})"
        return f"count{_where(index)} ({shown}) refused: {words}"

    bound = _Bound(kernel, layout, 2, length)
    inputs: List[Any] = [a, fractions]
    lenient = None
    if table is not None:  # level 1: the list's id after the layout
        inputs.append(np.int64(table.id))
        if _mode(errors, function) != "status":
            bound = lenient = _Lenient(bound, None)
    results, status, refused = _run(
        function,
        bound,
        inputs,
        [None] * len(inputs),
        [(target, element)],
        [lambda chunk: chunk[..., None].view(np.uint8)],
        errors,
        where,
        describe,
    )
    if lenient is not None and table is not None:
        _warn_expired(function, lenient, table, 3)
    codes = results[0]
    if kind == "u1":
        codes = out if out is not None else codes[..., None].view(np.uint8)
        if errors == "coerce":
            refused = np.broadcast_to(np.asarray(refused)[..., None], codes.shape).copy()
        return _finish(codes, status, refused, errors, False, _CodesWrap(like))
    scalar = not shape and out is None
    return _finish(codes, status, refused, errors, scalar, _CodesWrap(like))


def to_cuc(
    counts: Any,
    fraction: Any = None,
    *,
    coarse: int = 4,
    fine: int = 2,
    p_field: bool = True,
    level: int = 2,
    leap_list: Optional[LeapList] = None,
    dtype: Any = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as CUC codes, level 2 with the scale's epoch: the coarse time is
    the count (the leap second 47260800 like any other); or level 1, the
    coarse time TAI seconds since 1958-01-01 (cvtFromSec1996_cucTai).

    ``fraction``: the part of a second after each count, in units of
    2^-64 s (``1 << 63`` is half a second), truncated to the ``fine``
    octets; None for none.  ``coarse`` 1 to 7 and ``fine`` 0 to 8 octets
    (the extended P-field where the one-octet one does not reach); a count
    that needs more coarse octets is refused (OUT_OF_SPAN).  The codes come
    as ``V{n}`` (``dtype=bytes``: ``S{n}``, ``dtype=np.uint8``: uint8[..., n]).

    ``level=1``: the TAI of each count from ``leap_list`` (a
    :class:`sec1996.LeapList`, None for the default table), P-field time
    code id 001.  Across a leap second the scale lacks the coarse time steps
    by 2.  At or past the list's expiry the codes are written, assuming no
    further leap second, with a :class:`sec1996.LeapListExpiredWarning`
    (``errors="status"``: status 16 there).  ``leap_list`` with level 2 is
    refused (ValueError).

    >>> bytes(sec1996.to_cuc(47260800, 1 << 63)).hex()
    '2e02d124808000'
    >>> bytes(sec1996.to_cuc(0, level=1)).hex()
    '1e4779829e0000'
    """
    function = "to_cuc"
    table, _ = _true_time(_level(level, function), leap_list, False, function)
    layout = _cuc_layout(coarse, fine, p_field, function)
    kernel = ufunc.to_cuc if table is None else ufunc.to_cuc_tai
    return _encode(
        function, _CUC, kernel, layout, counts, fraction, "units of 2^-64 s", dtype,
        errors, out, where, table,
    )


def to_cds(
    counts: Any,
    fraction: Any = None,
    *,
    day_octets: int = 2,
    sub_ms: str = "us",
    epoch: Any = 1958,
    p_field: bool = True,
    dtype: Any = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as CDS codes: the UTC day from the epoch, the millisecond of
    the day (86,400,000 and up on the leap second) and the sub-millisecond
    segment.

    ``fraction``: picoseconds after each count, 0 to 10**12 - 1, truncated
    to the layout's resolution; None for none.  ``day_octets`` 2 or 3 (a
    16- or 24-bit day), ``sub_ms`` ``"none"``, ``"us"`` or ``"ps"``,
    ``epoch`` 1958 (level 1) or an agency epoch date (``"1996-01-01"``, a
    ``datetime.date``).  A day before the epoch or past the day segment is
    refused (OUT_OF_SPAN).

    >>> bytes(sec1996.to_cds(47260800, 750_000_000_000)).hex()
    '41385905265eee0000'
    """
    layout = _cds_layout(day_octets, sub_ms, epoch, p_field, "to_cds")
    return _encode(
        "to_cds", _CDS, ufunc.to_cds, layout, counts, fraction, "picoseconds", dtype, errors,
        out, where,
    )


def to_ccs(
    counts: Any,
    fraction: Any = None,
    *,
    day_of_year: bool = False,
    sub_second_octets: int = 3,
    p_field: bool = True,
    dtype: Any = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as CCS codes: the UTC calendar in BCD, second 60 on the leap
    second.

    ``fraction``: picoseconds after each count, 0 to 10**12 - 1, truncated
    to the ``sub_second_octets`` (0 to 6, two decimal digits each); None for
    none.  ``day_of_year``: the day of the year instead of month and day.

    >>> bytes(sec1996.to_ccs(47260800, 750_000_000_000)).hex()
    '5319970630235960750000'
    """
    layout = _ccs_layout(day_of_year, sub_second_octets, p_field, "to_ccs")
    return _encode(
        "to_ccs", _CCS, ufunc.to_ccs, layout, counts, fraction, "picoseconds", dtype, errors,
        out, where,
    )


# ---- Decoders -----------------------------------------------------------------


def _bytes_like(x: Any) -> bool:
    """Whether a list holds codes as bytes objects (its first item that is
    not None, in nested lists too)."""
    for item in x:
        if isinstance(item, (list, tuple)):
            return _bytes_like(item)
        if item is not None:
            return isinstance(item, (bytes, bytearray))
    return False


def _codes(x: Any, function: str) -> Tuple[np.ndarray, Any, Optional[int]]:
    """x as an array of codes (V, S or object) and the container to give the
    result back in, and for a uint8 array the octets of each of its rows."""
    x, like = _unwrap(x)
    if isinstance(x, (bytes, bytearray)):
        a = np.empty((), object)
        a[()] = x
        return a, like, None
    if isinstance(x, (list, tuple)) and _bytes_like(x):
        return np.array(x, dtype=object), like, None
    a = np.asarray(x)
    if a.dtype == np.uint8 and a.ndim >= 1:
        width = a.shape[-1]
        if width == 0:
            raise ValueError(f"sec1996.{function}: uint8 codes of no octets")
        return np.ascontiguousarray(a).view(f"V{width}")[..., 0], like, width
    if a.dtype.kind == "S" and a.dtype.itemsize == 0:
        a = a.astype("S1")
    if a.dtype.kind not in "SVO" or a.dtype.names is not None:
        raise TypeError(
            f"sec1996.{function}: codes must be bytes, V or S arrays, or uint8 arrays of octets,"
            f" not dtype {a.dtype}"
        )
    return a, like, None


def _decode(
    function: str,
    code: int,
    kernels: Tuple[np.ufunc, np.ufunc],
    layout: np.ndarray,
    codes: Any,
    errors: str,
    out: Any,
    where: Any,
    table: Optional[LeapList] = None,
    flags: Any = np.False_,
) -> Any:
    if _is_dask(codes) or _is_dask(flags):
        if np.ndim(flags) == 0 and not _is_dask(flags):
            def block(c: Any, **kw: Any) -> Any:
                e = kw["errors"]
                return _decode(function, code, kernels, layout, c, e, None, True, table, flags)

            return _lazy(block, [codes], {"errors": errors}, 2, [np.uint32, np.uint64])

        def blocks(c: Any, m: Any, **kw: Any) -> Any:
            e = kw["errors"]
            return _decode(function, code, kernels, layout, c, e, None, True, table, m)

        return _lazy(blocks, [codes, flags], {"errors": errors}, 2, [np.uint32, np.uint64])
    a, like, rows = _codes(codes, function)
    length = _length(code, layout)
    outs = (None, None) if out is None else out
    if len(outs) != 2 or any(
        o is not None and (not isinstance(o, np.ndarray) or o.dtype != d)
        for o, d in zip(outs, (np.uint32, np.uint64))
    ):
        raise TypeError(f"sec1996.{function}: out must be a pair of uint32 and uint64 arrays")
    if a.dtype.kind == "O":
        kernel: Any = _Bound(kernels[1], layout, 1)
        inputs: List[Any] = [a]
        views: List[Any] = [None]
    else:
        kernel = _Bound(kernels[0], layout, 1)
        inputs = [a, np.bool_(a.dtype.kind == "S")]
        views = [lambda chunk: chunk[..., None].view(np.uint8), None]
    shape = a.shape
    lenient = None
    if table is not None:  # level 1: the list's id and the map flags after the layout
        inputs += [np.int64(table.id), flags]
        views += [None, None]
        shape = np.broadcast_shapes(a.shape, np.shape(flags))
        if _mode(errors, function) != "status":
            kernel = lenient = _Lenient(kernel, len(inputs) - 1)

    def describe(index: Tuple[int, ...], status: int) -> str:
        value = np.broadcast_to(a, shape)[index]
        words = status_text(status)
        if table is not None and status == _Status.OUT_OF_SPAN:
            words += (
                ": a coarse time before count 0 (1199145630) or after count 4294967295, or"
                f" before the leap-second list's first date ({table.entries['date'][0]})"
            )
        elif table is not None and status == _Status.LEAP_NOT_ON_SCALE:
            words = _reason(table)(index, status)
        if isinstance(value, (bytes, bytearray, np.void, np.bytes_)):
            octets = bytes(value)
            shown = octets.hex().upper()
            if status in (_Status.TRUNCATED, _Status.OTHER_LAYOUT) and a.dtype.kind != "S":
                words += f": {len(octets)} octets, where the layout has {length}"
        elif status == _Status.NOT_A_NUMBER:
            shown, words = repr(value), f"{status_text(status)}: a missing code"
        else:
            shown, words = repr(value), f"not bytes but {type(value).__name__}"
        return f"code{_where(index)} ({shown}) refused: {words}"

    results, status, refused = _run(
        function,
        kernel,
        inputs,
        views,
        [(outs[0], np.uint32), (outs[1], np.uint64)],
        [None, None],
        errors,
        where,
        describe,
    )
    if lenient is not None and table is not None:
        _warn_expired(function, lenient, table, 3)
    scalar = not shape and out is None
    return _finish(tuple(results), status, refused, errors, scalar, _Wrap(like))


def from_cuc(
    codes: Any,
    *,
    coarse: int = 4,
    fine: int = 2,
    p_field: bool = True,
    level: int = 2,
    leap_list: Optional[LeapList] = None,
    map_leap: Any = False,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """CUC codes (level 2, the scale's epoch) as the pair ``(counts,
    fractions)``: uint32 coarse times and uint64 fine times in units of
    2^-64 s, exactly as the code holds them.

    The layout as for :func:`to_cuc`; with ``p_field=True`` each code must
    begin with the P-field of that layout (another is refused:
    WRONG_CODE for another code or level, OTHER_LAYOUT for another CUC
    layout).  ``out``: a pair of arrays.

    ``level=1``: the coarse time is TAI seconds since 1958-01-01, read with
    ``leap_list`` (cvtToSec1996_cucTai); one before count 0 or after count
    4294967295 is refused (OUT_OF_SPAN), and so is a real leap second the
    scale lacks (LEAP_NOT_ON_SCALE) unless ``map_leap`` (a bool, or a bool
    array broadcast with the codes) is True there, which gives the count of
    the 23:59:59 before it (status 15 kept under ``errors="status"``).
    Expiry as for :func:`to_cuc`.  A level-2 code is WRONG_CODE here, and a
    level-1 code WRONG_CODE for level 2.

    >>> sec1996.from_cuc(bytes.fromhex("2e02d124808000"))
    (47260800, 9223372036854775808)
    >>> sec1996.from_cuc(bytes.fromhex("1e4a4aa71e0000"), level=1)
    (47260800, 0)
    """
    function = "from_cuc"
    table, flags = _true_time(_level(level, function), leap_list, map_leap, function)
    layout = _cuc_layout(coarse, fine, p_field, function)
    if table is None:
        kernels = (ufunc.from_cuc, ufunc.from_cuc_object)
    else:
        kernels = (ufunc.from_cuc_tai, ufunc.from_cuc_tai_object)
    return _decode(function, _CUC, kernels, layout, codes, errors, out, where, table, flags)


def from_cds(
    codes: Any,
    *,
    day_octets: int = 2,
    sub_ms: str = "us",
    epoch: Any = 1958,
    p_field: bool = True,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """CDS codes as the pair ``(counts, picoseconds)``: uint32 counts and
    the part of the second (the milliseconds of the second and the
    sub-millisecond segment) as uint64 picoseconds.

    The layout as for :func:`to_cds`.  Milliseconds of the day 86,400,000
    to 86,400,999 are taken on 1997-06-30 alone, the scale's leap second;
    on another day they are refused (NOT_LEAP_SECOND, 1998-12-31 too).

    >>> sec1996.from_cds(bytes.fromhex("41385905265eee0000"))
    (47260800, 750000000000)
    """
    layout = _cds_layout(day_octets, sub_ms, epoch, p_field, "from_cds")
    kernels = (ufunc.from_cds, ufunc.from_cds_object)
    return _decode("from_cds", _CDS, kernels, layout, codes, errors, out, where)


def from_ccs(
    codes: Any,
    *,
    day_of_year: bool = False,
    sub_second_octets: int = 3,
    p_field: bool = True,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """CCS codes as the pair ``(counts, picoseconds)``.

    The layout as for :func:`to_ccs`.  Every BCD nibble must be a digit
    (BAD_DIGIT), every field in its range (FIELD_RANGE) and the date real
    (NO_SUCH_DATE); second 60 only on the scale's leap second.

    >>> sec1996.from_ccs(bytes.fromhex("5319970630235960750000"))
    (47260800, 750000000000)
    """
    layout = _ccs_layout(day_of_year, sub_second_octets, p_field, "from_ccs")
    kernels = (ufunc.from_ccs, ufunc.from_ccs_object)
    return _decode("from_ccs", _CCS, kernels, layout, codes, errors, out, where)

