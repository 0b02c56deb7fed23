"""Sec1996 counts in numpy, pandas, xarray and Dask: whole columns in one call.

A Sec1996 count is an unsigned 32-bit number of seconds since
1996-01-01 00:00:00 UTC, the leap seconds of the scale's own table (one:
1997-06-30 23:59:60) included: the count goes up by exactly one each
second, and 47260800 is that leap second.  Counts 0 to 4294967295 cover
1996-01-01T00:00:00 to 2132-02-07T06:28:14.  Every conversion is a numpy ufunc over the Sec1996
C library itself (:mod:`sec1996.ufunc`); the functions here are thin
wrappers over them that take numpy arrays of any shape and layout, Python
scalars, pandas Series and Index, xarray DataArray and dask arrays, and
give back the same kind of object.

================================  ===========================================
counts -> ``datetime64[s]``        :func:`to_datetime64` (the leap second reads
                                   23:59:59, as POSIX time has no second 60)
``datetime64`` -> counts           :func:`from_datetime64` (``leap=`` restores
                                   the leap seconds)
counts -> leap-second mask         :func:`is_leap_second`
counts -> ISO 8601 text            :func:`to_iso` (``1997-06-30T23:59:60Z``)
ISO 8601 text -> counts            :func:`from_iso` (strict)
counts -> six fields               :func:`to_fields` (a structured array)
six fields -> counts               :func:`from_fields`
counts -> (year, day of year)      :func:`to_year_day`
(year, day of year) -> counts      :func:`from_year_day`
counts -> library text             :func:`to_text` (``30-Jun-1997 23:59:59``;
                                   ``format=`` a strftime-style pattern)
text in a pattern -> counts        :func:`from_text` (strict)
================================  ===========================================

Errors, one return type per mode (``errors=``):

- ``"raise"`` (the default): a ValueError naming the first bad index (in C
  order) and the library's reason.
- ``"coerce"``: the same type and shape as ``"raise"``, NaT for a refused
  time and otherwise a numpy masked array, masked where refused (pandas:
  a nullable column or NaT; xarray: what ``DataArray.where`` makes of it).
- ``"status"``: the pair ``(values, status)``, ``status`` an int16 array of
  :class:`Sec1996ParseStatus` codes (0 where converted).

Nothing is wrapped modulo 2^32 or truncated silently, and the input is
never modified.  A wrong dtype raises TypeError in every mode.

>>> import numpy as np, sec1996
>>> counts = np.array([0, 47260799, 47260800, 47260801], dtype=np.uint32)
>>> sec1996.to_iso(counts)
array([b'1996-01-01T00:00:00Z', b'1997-06-30T23:59:59Z',
       b'1997-06-30T23:59:60Z', b'1997-07-01T00:00:00Z'], dtype='|S20')
>>> times = sec1996.to_datetime64(counts)
>>> bool((sec1996.from_datetime64(times, leap=sec1996.is_leap_second(counts)) == counts).all())
True
"""

from __future__ import annotations

import datetime as _datetime
import enum
import functools
import warnings
from math import gcd
from typing import Any, Callable, List, Optional, Sequence, Tuple

import numpy as np

from . import _ext, ufunc

__all__ = [
    "COUNT_SENTINEL",
    "FIELDS_DTYPE",
    "LAST_COUNT",
    "LEAP_SECONDS",
    "STATUS_DTYPE",
    "Sec1996ParseStatus",
    "ccsds",
    "from_ccs",
    "from_cds",
    "from_cuc",
    "from_datetime64",
    "from_fields",
    "from_iso",
    "from_text",
    "from_year_day",
    "is_leap_second",
    "status_text",
    "to_ccs",
    "to_cds",
    "to_cuc",
    "to_datetime64",
    "to_fields",
    "to_iso",
    "to_text",
    "to_year_day",
    "ufunc",
]

#: The C library's version (the project's version in CMakeLists.txt).
__version__: str = _ext.__version__

#: The one status enum of the C library, Sec1996ParseStatus, with its names
#: (``Sec1996ParseStatus.OUT_OF_SPAN`` is SEC1996_PARSE_OUT_OF_SPAN).
Sec1996ParseStatus = enum.IntEnum("Sec1996ParseStatus", _ext.STATUS_CODES)  # type: ignore[misc]

#: The dtype of the status outputs.
STATUS_DTYPE = np.dtype(np.int16)

#: The count a ufunc writes where it refuses an element.
COUNT_SENTINEL: int = 0

#: The last count of the scale, 2132-02-07T06:28:14.
LAST_COUNT: int = 4294967295

#: The leap seconds of the scale's own table, as counts (from the C
#: library's leapSeconds1996: each entry is the midnight after one).
LEAP_SECONDS: Tuple[int, ...] = tuple(entry - 1 for entry in _ext.leap_seconds())

#: The record of :func:`to_fields` and :func:`from_fields`: the six int32
#: fields of the C library's Date1996, in its order and layout.
FIELDS_DTYPE = np.dtype([(name, np.int32) for name in ("year", "mon", "day", "hour", "min", "sec")])
_FIELD_NAMES: Tuple[str, ...] = tuple(FIELDS_DTYPE.names or ())

# Elements per call of a ufunc in the "raise" and "coerce" modes: the
# status of a chunk (128 KiB, within L2) is all the scratch they need.
_CHUNK = 1 << 16

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


def status_text(code: int) -> str:
    """The C library's words for a status code (parseStatusText1996).

    >>> sec1996.status_text(sec1996.Sec1996ParseStatus.OUT_OF_SPAN)
    'outside the scale, 1996-01-01T00:00:00Z to 2132-02-07T06:28:14Z'
    """
    return str(_ext.status_text(int(code)))


# ---- Containers in and out --------------------------------------------------


def _is_pandas(x: Any, kind: str) -> bool:
    module = type(x).__module__
    return module.startswith("pandas") and any(c.__name__ == kind for c in type(x).__mro__)


def _is_xarray(x: Any) -> bool:
    return type(x).__module__.startswith("xarray") and type(x).__name__ == "DataArray"


def _is_dask(x: Any) -> bool:
    return type(x).__module__.startswith("dask") and type(x).__name__ == "Array"


class _Wrap:
    """Gives a numpy result the container of the first argument."""

    def __init__(self, like: Any) -> None:
        self.like = like

    def __call__(self, result: Any, coerce: bool) -> Any:
        like = self.like
        if isinstance(result, tuple):
            return tuple(self(item, coerce) for item in result)
        if like is None:
            return result
        import pandas as pd

        if _is_xarray(like):
            import xarray as xr

            if isinstance(result, np.ma.MaskedArray):
                data = like.copy(data=np.ma.getdata(result))
                return data.where(xr.DataArray(~np.ma.getmaskarray(result), dims=like.dims))
            return like.copy(data=result)
        if result.dtype.names is not None:  # fields: a frame of six columns
            columns = {name: _pandas_array(result[name]) for name in result.dtype.names}
            index = like.index if _is_pandas(like, "Series") else like
            return pd.DataFrame(columns, index=index)
        values = _pandas_array(result)
        if _is_pandas(like, "Index"):
            return pd.Index(values, name=like.name)
        return pd.Series(values, index=like.index, name=like.name)


def _pandas_array(result: Any) -> Any:
    """A numpy or masked array as pandas holds it: nullable where masked."""
    import pandas as pd

    if not isinstance(result, np.ma.MaskedArray):
        return result.astype(object) if result.dtype.kind == "S" else result
    data, mask = np.ma.getdata(result), np.ma.getmaskarray(result)
    if data.dtype.kind in "iu":
        return pd.arrays.IntegerArray(data, mask)
    if data.dtype.kind == "b":
        return pd.arrays.BooleanArray(data, mask)
    if data.dtype.kind == "f":
        return np.where(mask, np.nan, data)
    values = data.astype(object)
    values[mask] = None
    return values


def _unpack(x: Any, function: str, kind: str) -> Tuple[np.ndarray, Any]:
    """x as a numpy array of the kind asked ("count", "time", "text",
    "integer", "day"), and the container to give the result back in."""
    x, like = _unwrap(x)
    a = _as_array(x, kind)
    _check_dtype(a, function, kind)
    return a, like


def _unwrap(x: Any) -> Tuple[Any, Any]:
    """The values of an xarray or pandas container x (numpy, NA as NaN in a
    nullable column, a zoned time in UTC) and the container, or x and None."""
    like = None
    if _is_xarray(x):
        like, x = x, x.data
    elif _is_pandas(x, "Series") or _is_pandas(x, "Index"):
        like = x
        dtype = x.dtype
        if getattr(dtype, "tz", None) is not None:  # a zone: the same instants in UTC
            x = x.tz_convert(None) if _is_pandas(x, "Index") else x.dt.tz_convert(None)
            x = x.to_numpy()
        elif getattr(dtype, "na_value", None) is not None and dtype.kind in "iub":
            # A nullable column: NA as NaN, refused as "not a number".
            x = x.to_numpy(dtype=np.float64, na_value=np.nan)
        else:
            x = x.to_numpy()
    return x, like


def _as_array(x: Any, kind: str) -> np.ndarray:
    if kind == "time":
        if isinstance(x, _datetime.datetime) or (
            isinstance(x, (list, tuple)) and x and isinstance(x[0], _datetime.datetime)
        ):
            return np.asarray(_datetimes(x))
        a = np.asarray(x)
        if a.dtype == object and a.size and isinstance(a.flat[0], _datetime.datetime):
            return np.asarray(_datetimes(a.tolist()))
        return a
    return np.asarray(x)


def _datetimes(x: Any) -> Any:
    """Python datetimes as datetime64: an aware one in UTC, a naive one as
    it is."""
    if isinstance(x, list) or isinstance(x, tuple):
        return [_datetimes(item) for item in x]
    if not isinstance(x, _datetime.datetime):
        return np.datetime64("NaT") if x is None else x
    if hasattr(x, "to_datetime64"):  # a pandas Timestamp, to the nanosecond
        if x.tzinfo is not None:
            x = x.tz_convert(None)
        return x.to_datetime64()
    if x.tzinfo is not None:
        x = x.astimezone(_datetime.timezone.utc).replace(tzinfo=None)
    return np.datetime64(x, "us")


_KINDS = {
    "count": ("iuf", "counts must be integers or whole float64 numbers"),
    "integer": ("iu", "fields must have an integer dtype"),
    "day": ("iuf", "days must be numbers"),
    "time": ("M", "times must have a datetime64 dtype"),
    "text": ("SUO", "texts must be str or bytes"),
}


def _check_dtype(a: np.ndarray, function: str, kind: str) -> None:
    kinds, words = _KINDS[kind]
    if a.dtype.kind not in kinds or (a.dtype.kind == "f" and a.dtype.itemsize > 8):
        raise TypeError(f"sec1996.{function}: {words}, not dtype {a.dtype}")


# ---- The driver -----------------------------------------------------------


def _mode(errors: str, function: str) -> str:
    if errors not in ("raise", "coerce", "status"):
        raise ValueError(
            f"sec1996.{function}: errors must be 'raise', 'coerce' or 'status', not {errors!r}"
        )
    return errors


Views = Sequence[Optional[Callable[[np.ndarray], np.ndarray]]]


def _run(
    function: str,
    kernel: np.ufunc,
    inputs: List[np.ndarray],
    in_views: Views,
    outputs: List[Tuple[Optional[np.ndarray], Any]],
    out_views: Views,
    errors: str,
    where: Any,
    describe: Callable[[Tuple[int, ...], int], str],
) -> Tuple[List[np.ndarray], np.ndarray, Optional[np.ndarray]]:
    """Runs kernel over the broadcast inputs, chunk by chunk, into the
    outputs ((array or None, dtype) each); a view function turns a 1-d chunk
    into the kernel's argument (for texts, code units).  Returns the outputs,
    the status (a full array under "status", else a chunk's scratch) and the
    refused mask under "coerce"; raises under "raise"."""
    mode = _mode(errors, function)
    gufunc = kernel.signature is not None
    mask_where = None if where is True else np.asarray(where, dtype=np.bool_)
    if mode != "status" and mask_where is None and all(a.dtype == np.uint32 for a in inputs):
        # uint32 counts are never refused: one call over the whole arrays,
        # the status (all 0) written to one element with a zero stride.
        shape = np.broadcast_shapes(*(a.shape for a in inputs))
        arrays = [np.empty(shape, dtype) if out is None else out for out, dtype in outputs]
        views = [v(a) if v else a for v, a in zip(out_views, arrays)]
        sink = np.lib.stride_tricks.as_strided(
            np.empty(1, STATUS_DTYPE), shape=shape, strides=(0,) * len(shape), writeable=True
        )
        kernel(*inputs, out=(*views, sink))
        refused = np.zeros(shape, np.bool_) if mode == "coerce" else None
        return arrays, sink, refused
    ops: List[Any] = list(inputs)
    flags: List[List[str]] = [["readonly"] for _ in inputs]
    dtypes: List[Any] = [a.dtype for a in inputs]
    if mask_where is not None:
        ops.append(mask_where)
        flags.append(["readonly"])
        dtypes.append(np.bool_)
    first_out = len(ops)
    for out, dtype in outputs:
        ops.append(out)
        flags.append(["writeonly", "allocate", "no_broadcast"])
        dtypes.append(np.dtype(dtype) if out is None else out.dtype)
    extra = {"status": STATUS_DTYPE, "coerce": np.bool_}.get(mode)
    if extra is not None:
        ops.append(None)
        flags.append(["writeonly", "allocate"])
        dtypes.append(extra)
    iterator = np.nditer(
        ops,
        flags=["external_loop", "buffered", "zerosize_ok", "refs_ok"],
        op_flags=flags,  # type: ignore[arg-type]
        op_dtypes=dtypes,
        order="C",
        buffersize=_CHUNK,
    )
    scratch = np.empty(_CHUNK, STATUS_DTYPE)
    shape = np.broadcast_shapes(*(np.shape(op) for op in ops if op is not None))
    with iterator:
        for chunk in iterator:
            start = iterator.iterindex
            args = [v(c) if v else c for v, c in zip(in_views, chunk[: len(inputs)])]
            outs = [
                v(c) if v else c
                for v, c in zip(out_views, chunk[first_out : first_out + len(outputs)])
            ]
            n = len(chunk[0])
            status = chunk[-1] if mode == "status" else scratch[:n]
            if mask_where is None:
                kernel(*args, out=(*outs, status))
            elif not gufunc:
                status[...] = 0
                kernel(*args, out=(*outs, status), where=chunk[len(inputs)])
            else:
                status[...] = 0
                take = np.flatnonzero(chunk[len(inputs)])
                # Outputs of the selection's shape: a core dimension of an
                # output (a text's width) may be one no input has.
                picked = [np.empty((len(take), *o.shape[1:]), o.dtype) for o in outs]
                results = kernel(*(a[take] for a in args), out=(*picked, None))
                for o, r in zip(outs, results[:-1]):
                    o[take] = r
                status[take] = results[-1]
            if mode == "coerce":
                np.not_equal(status, 0, out=chunk[-1])
            elif mode == "raise" and status.any():
                i = int(np.flatnonzero(status)[0])
                index = np.unravel_index(start + i, shape) if shape else ()
                code = int(status[i])
                raise ValueError(f"sec1996.{function}: {describe(tuple(map(int, index)), code)}")
        results = [iterator.operands[first_out + k] for k in range(len(outputs))]
        last = iterator.operands[-1] if extra is not None else scratch
    return results, last, (last if mode == "coerce" else None)


def _where(index: Tuple[int, ...]) -> str:
    if not index:
        return ""
    return f" at index {index[0] if len(index) == 1 else index}"


def _show(value: Any) -> str:
    if isinstance(value, np.datetime64):
        return str(value)
    if isinstance(value, np.generic):
        value = value.item() if value.dtype.kind in "SU" else value
    return repr(value)


def _describer(
    what: str,
    sources: Sequence[np.ndarray],
    shape_of: Callable[[], Tuple[int, ...]],
    reason: Optional[Callable[[Tuple[int, ...], int], str]] = None,
) -> Callable[[Tuple[int, ...], int], str]:
    def describe(index: Tuple[int, ...], code: int) -> str:
        shape = shape_of()
        values = [_show(np.broadcast_to(s, shape)[index]) for s in sources]
        shown = values[0] if len(values) == 1 else "(" + ", ".join(values) + ")"
        words = reason(index, code) if reason else status_text(code)
        return f"{what}{_where(index)} ({shown}) refused: {words}"

    return describe


def _finish(
    values: Any,
    status: np.ndarray,
    refused: Optional[np.ndarray],
    errors: str,
    scalar: bool,
    wrap: _Wrap,
    nat: bool = False,
) -> Any:
    """The result of a mode: values, masked values, or values and status."""
    if errors == "coerce" and not nat:
        assert refused is not None
        if isinstance(values, tuple):
            values = tuple(np.ma.MaskedArray(v, mask=refused) for v in values)
        else:
            values = np.ma.MaskedArray(values, mask=refused)
    if scalar:
        values = tuple(v[()] for v in values) if isinstance(values, tuple) else values[()]
        status = status[()]
    result = wrap(values, errors == "coerce")
    if errors == "status":
        return result, wrap(status, False)
    return result


def _lazy(
    function: Callable[..., Any], args: Sequence[Any], kwargs: Any, nout: int, dtypes: Sequence[Any]
) -> Any:
    """function over dask arrays, block by block, lazily."""
    import dask.array as da

    errors = kwargs.get("errors", "raise")
    if errors == "status":
        dtypes = [*dtypes, STATUS_DTYPE]
        nout += 1
    signature = ",".join("()" for _ in args) + "->" + ",".join("()" for _ in range(nout))
    def block(*blocks: Any) -> Any:
        result = function(*blocks, **kwargs)
        if errors == "status" and isinstance(result[0], tuple):  # ((values...), status), flat
            return (*result[0], result[1])
        return result

    result = da.apply_gufunc(
        block,
        signature,
        *args,
        output_dtypes=dtypes if nout > 1 else dtypes[0],
        vectorize=False,
    )
    if errors == "status" and nout > 2:  # ((values...), status) as the numpy form gives it
        return tuple(result[:-1]), result[-1]
    return result


# ---- Counts in ----------------------------------------------------------------


def _counts(
    function: str,
    counts: Any,
    kernel: np.ufunc,
    dtypes: Sequence[Any],
    out: Any,
    where: Any,
    errors: str,
    views: Views = (None,),
    nat: bool = False,
) -> Any:
    a, like = _unpack(counts, function, "count")
    outputs = [(out, dtypes[0])] if len(dtypes) == 1 else [(o, d) for o, d in zip(out, dtypes)]
    results, status, refused = _run(
        function,
        kernel,
        [a],
        [None],
        outputs,
        views,
        errors,
        where,
        _describer("count", [a], lambda: np.shape(a), _count_reason),
    )
    values = results[0] if len(results) == 1 else tuple(results)
    return _finish(values, status, refused, errors, a.ndim == 0 and out is None, _Wrap(like), nat)


def _count_reason(index: Tuple[int, ...], code: int) -> str:
    if code == Sec1996ParseStatus.OUT_OF_SPAN:
        return f"{status_text(code)}: a count is 0 to 4294967295"
    return status_text(code)


def _check_out(out: Any, dtype: Any, function: str) -> Any:
    if out is not None and (not isinstance(out, np.ndarray) or out.dtype != np.dtype(dtype)):
        raise TypeError(f"sec1996.{function}: out must be a numpy array of dtype {np.dtype(dtype)}")
    return out


def _text_view(units: type) -> Callable[[np.ndarray], np.ndarray]:
    return lambda chunk: chunk[..., None].view(units)


def _text_kernel(
    a: np.ndarray, objects: np.ufunc, units: np.ufunc
) -> Tuple[np.ndarray, np.ufunc, Optional[Callable[[np.ndarray], np.ndarray]]]:
    """The ufunc that reads texts of a's dtype (objects for an object array,
    else units over S or U code units), a ready for it, and the view of its
    code units."""
    if a.dtype.kind == "O":
        return a, objects, None
    a = a if a.dtype.isnative else a.astype(a.dtype.newbyteorder("="))
    if a.dtype.itemsize == 0:  # numpy's empty strings: one unit of padding
        a = a.astype(f"{a.dtype.kind}1")
    return a, units, _text_view(np.uint8 if a.dtype.kind == "S" else np.uint32)


def to_datetime64(counts: Any, *, errors: str = "raise", out: Any = None, where: Any = True) -> Any:
    """Counts as ``datetime64[s]``, POSIX seconds (every day 86400 seconds).

    The leap second 47260800 reads 1997-06-30T23:59:59, like 47260799: a
    ``datetime64`` has no second 60.  :func:`is_leap_second` tells the two
    apart, and :func:`from_datetime64` with ``leap=`` restores it.  A count
    is any integer, or a whole float64 number (NaN and pandas' NA refused);
    ``"coerce"`` gives NaT where refused.  ``out``: a datetime64[s] array.

    >>> sec1996.to_datetime64([0, 47260800])
    array(['1996-01-01T00:00:00', '1997-06-30T23:59:59'], dtype='datetime64[s]')
    """
    if _is_dask(counts):
        return _lazy(to_datetime64, [counts], {"errors": errors}, 1, ["datetime64[s]"])
    _check_out(out, "datetime64[s]", "to_datetime64")
    return _counts(
        "to_datetime64",
        counts,
        ufunc.to_posix,
        ["datetime64[s]"],
        out,
        where,
        errors,
        [lambda chunk: chunk.view(np.int64)],
        nat=True,
    )


def is_leap_second(
    counts: Any, *, errors: str = "raise", out: Any = None, where: Any = True
) -> Any:
    """Whether each count is a leap second of the scale's own table (one:
    1997-06-30 23:59:60, count 47260800).

    >>> sec1996.is_leap_second([47260799, 47260800])
    array([False,  True])
    """
    if _is_dask(counts):
        return _lazy(is_leap_second, [counts], {"errors": errors}, 1, [np.bool_])
    _check_out(out, np.bool_, "is_leap_second")
    return _counts("is_leap_second", counts, ufunc.is_leap_second, [np.bool_], out, where, errors)


def _text_dtype(dtype: Any, function: str, width: int = 20) -> Tuple[str, type]:
    if dtype in (None, "S", f"S{width}", bytes, np.bytes_):
        return f"S{width}", np.uint8
    if dtype in ("U", f"U{width}", str, np.str_):
        return f"U{width}", np.uint32
    raise ValueError(
        f"sec1996.{function}: dtype must be bytes ('S{width}') or str ('U{width}'), not {dtype!r}"
    )


def to_iso(
    counts: Any, *, dtype: Any = None, errors: str = "raise", out: Any = None, where: Any = True
) -> Any:
    """Counts as lossless ISO 8601 texts, ``YYYY-MM-DDTHH:MM:SSZ``.

    Twenty ASCII characters per count, ``S20`` or with ``dtype=str``
    ``U20`` (what ``pandas.to_datetime`` takes), written straight into the
    array with no Python object per element.  The leap second shows as it
    is, ``1997-06-30T23:59:60Z``.

    >>> sec1996.to_iso(47260800)
    b'1997-06-30T23:59:60Z'
    >>> sec1996.to_iso([0], dtype=str)
    array(['1996-01-01T00:00:00Z'], dtype='<U20')
    """
    text, units = _text_dtype(dtype, "to_iso")
    if _is_dask(counts):
        return _lazy(to_iso, [counts], {"errors": errors, "dtype": text}, 1, [text])
    _check_out(out, text, "to_iso")
    kernel = ufunc.to_iso if units is np.uint8 else ufunc.to_iso_u
    return _counts("to_iso", counts, kernel, [text], out, where, errors, [_text_view(units)])


def to_text(
    counts: Any,
    *,
    format: Optional[Any] = None,
    dtype: Any = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as the library's text, ``DD-Mon-YYYY HH:MM:SS`` (``S20``, or
    ``U20`` with ``dtype=str``), or in the layout of a pattern.

    The text of the C function stringDate1996: English month abbreviations,
    and the leap second shown as 23:59:59 of its day (lossy; see
    :func:`to_iso`).  With ``format=`` a strftime-style pattern (ASCII
    ``str`` or ``bytes``), the text of formatDate1996 instead, the leap
    second as second 60 (``%S``, ``%T``); the width of the result is that
    of the longest text the pattern gives (``S17`` for ``"%Y.%j %T"``).
    A bad pattern raises ValueError in every mode.

    >>> sec1996.to_text(47260801)
    b'01-Jul-1997 00:00:00'
    >>> sec1996.to_text([47260800], format="%Y.%j %T")
    array([b'1997.181 23:59:60'], dtype='|S17')
    """
    if format is not None:
        return _to_pattern(counts, format, dtype, errors, out, where)
    text, units = _text_dtype(dtype, "to_text")
    if _is_dask(counts):
        return _lazy(to_text, [counts], {"errors": errors, "dtype": text}, 1, [text])
    _check_out(out, text, "to_text")
    kernel = ufunc.to_text if units is np.uint8 else ufunc.to_text_u
    return _counts("to_text", counts, kernel, [text], out, where, errors, [_text_view(units)])


def _pattern(format: Any, function: str) -> bytes:
    """A pattern as the C library takes it: ASCII bytes without a zero."""
    if isinstance(format, str):
        raw = format.encode("utf-8", "surrogatepass")
    elif isinstance(format, (bytes, np.bytes_)):
        raw = bytes(format)
    else:
        kind = type(format).__name__
        raise TypeError(f"sec1996.{function}: format must be str or bytes, not {kind}")
    bad = next((i for i, c in enumerate(raw) if c == 0 or c > 127), None)
    if bad is not None:
        what = "a zero character" if raw[bad] == 0 else "a character beyond ASCII"
        raise ValueError(
            f"sec1996.{function}: format {format!r} refused: {what} (at offset {bad})"
        )
    return raw


def _pattern_units(raw: bytes) -> np.ndarray:
    """A pattern as the 0-d S input of a pattern ufunc."""
    return np.array(raw, dtype=f"S{max(len(raw), 1)}")


@functools.lru_cache(maxsize=64)
def _format_width(raw: bytes) -> Tuple[int, int]:
    return tuple(_ext.format_width(raw))  # type: ignore[return-value]


def _to_pattern(counts: Any, format: Any, dtype: Any, errors: str, out: Any, where: Any) -> Any:
    raw = _pattern(format, "to_text")
    code, width = _format_width(raw)
    if code != 0:
        raise ValueError(
            f"sec1996.to_text: format {format!r} refused: {status_text(code)} (at offset {width})"
        )
    text, units = _text_dtype(dtype, "to_text", max(width, 1))
    if _is_dask(counts):
        kwargs = {"errors": errors, "dtype": text, "format": format}
        return _lazy(to_text, [counts], kwargs, 1, [text])
    _check_out(out, text, "to_text")
    kernel = ufunc.format_pattern if units is np.uint8 else ufunc.format_pattern_u
    a, like = _unpack(counts, "to_text", "count")
    results, status, refused = _run(
        "to_text",
        kernel,
        [a, _pattern_units(raw)],
        [None, _text_view(np.uint8)],
        [(out, text)],
        [_text_view(units)],
        errors,
        where,
        _describer("count", [a], lambda: np.shape(a), _count_reason),
    )
    scalar = a.ndim == 0 and out is None
    return _finish(results[0], status, refused, errors, scalar, _Wrap(like))


def to_fields(counts: Any, *, errors: str = "raise", out: Any = None, where: Any = True) -> Any:
    """Counts as six calendar fields, second 60 on the leap second.

    A structured array of :data:`FIELDS_DTYPE` (int32 ``year``, ``mon``,
    ``day``, ``hour``, ``min``, ``sec``), as the C function
    cvtFromSec1996_lossless gives them; a pandas Series gives a DataFrame
    of six columns on its index.  :func:`from_fields` takes it back.

    >>> sec1996.to_fields(47260800)
    (1997, 6, 30, 23, 59, 60)
    """
    if _is_dask(counts):
        return _lazy(to_fields, [counts], {"errors": errors}, 1, [FIELDS_DTYPE])
    _check_out(out, FIELDS_DTYPE, "to_fields")
    a, like = _unpack(counts, "to_fields", "count")
    records = np.empty(a.shape, FIELDS_DTYPE) if out is None else out
    columns = [records[name] for name in _FIELD_NAMES]
    _, status, refused = _run(
        "to_fields",
        ufunc.to_fields,
        [a],
        [None],
        [(c, np.int32) for c in columns],
        [None] * 6,
        errors,
        where,
        _describer("count", [a], lambda: np.shape(a), _count_reason),
    )
    return _finish(records, status, refused, errors, a.ndim == 0 and out is None, _Wrap(like))


def to_year_day(counts: Any, *, errors: str = "raise", out: Any = None, where: Any = True) -> Any:
    """Counts as a year and the fractional day of that year.

    Bit for bit what the C function cvtFromSec1996_yd gives: the pair
    ``(years, days)``, int32 and float64, the day of the year counted from 1
    plus the seconds since that day's midnight / 86400.0.  The leap second
    has 86400 seconds since midnight, so it reads 182.0 in 1997, the same as
    the next count.  ``out``: a pair of arrays.

    >>> sec1996.to_year_day([0, 47260800])
    (array([1996, 1997], dtype=int32), array([  1., 182.]))
    """
    if _is_dask(counts):
        return _lazy(to_year_day, [counts], {"errors": errors}, 2, [np.int32, np.float64])
    outs = (None, None) if out is None else out
    return _counts(
        "to_year_day",
        counts,
        ufunc.to_year_day,
        [np.int32, np.float64],
        outs,
        where,
        errors,
        [None, None],
    )


# ---- Counts out ---------------------------------------------------------------


def _fraction(fraction: str, function: str) -> bool:
    if fraction not in ("raise", "floor"):
        raise ValueError(
            f"sec1996.{function}: fraction must be 'raise' or 'floor', not {fraction!r}"
        )
    return fraction == "floor"


def from_datetime64(
    times: Any,
    *,
    leap: Any = None,
    fraction: str = "raise",
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Times as counts: ``datetime64`` of any unit from weeks to attoseconds,
    Python datetimes, or a pandas datetime column or index.

    A time is UTC, POSIX-counted as numpy and pandas count it; an aware one
    (a pandas column with a zone, a datetime with tzinfo) is taken as the
    same instant in UTC.  Each must lie from 1996-01-01T00:00:00 to
    2132-02-07T06:28:14.  A fraction of a second is refused
    (``fraction="raise"``) or floored (``fraction="floor"``).  Where
    ``leap`` is True the time must be the 23:59:59 just before a leap second
    and gives that leap second's count: with the mask of
    :func:`is_leap_second` this makes :func:`to_datetime64` lossless.

    >>> sec1996.from_datetime64(np.datetime64("1997-07-01T00:00:00"))
    47260801
    >>> sec1996.from_datetime64(np.datetime64("1997-06-30T23:59:59.999"), leap=True,
    ...                         fraction="floor")
    47260800
    """
    floor = _fraction(fraction, "from_datetime64")
    if _is_dask(times):
        kwargs = {"errors": errors, "fraction": fraction}
        if leap is None:
            return _lazy(from_datetime64, [times], kwargs, 1, [np.uint32])
        return _lazy(
            lambda t, m, **kw: from_datetime64(t, leap=m, **kw),
            [times, leap],
            kwargs,
            1,
            [np.uint32],
        )
    _check_out(out, np.uint32, "from_datetime64")
    a, like = _unpack(times, "from_datetime64", "time")
    unit, step = np.datetime_data(a.dtype)
    if unit not in _UNIT_SECONDS:
        raise TypeError(
            f"sec1996.from_datetime64: datetime64 unit {unit!r} has no fixed length in seconds;"
            " convert to datetime64[D] or a finer unit first"
        )
    num, den = _UNIT_SECONDS[unit]
    num *= step
    common = gcd(num, den)
    marks = np.asarray(False if leap is None else leap)
    if marks.dtype != np.bool_:
        raise TypeError(f"sec1996.from_datetime64: leap must be bool, not dtype {marks.dtype}")
    values = (
        a.view(np.int64) if a.dtype.isnative else a.astype(a.dtype.newbyteorder("=")).view(np.int64)
    )
    inputs = [values, np.int64(num // common), np.int64(den // common), marks, np.bool_(floor)]
    sources = [a] if leap is None else [a, marks]

    def reason(index: Tuple[int, ...], code: int) -> str:
        if code == Sec1996ParseStatus.NOT_LEAP_SECOND:
            return f"{status_text(code)}: marked as a leap second, but not the 23:59:59 before one"
        if code == Sec1996ParseStatus.NOT_A_NUMBER:
            return f"{status_text(code)}: NaT"
        return status_text(code)

    shape = np.broadcast_shapes(a.shape, marks.shape)
    results, status, refused = _run(
        "from_datetime64",
        ufunc.from_time,
        inputs,
        [None] * 5,
        [(out, np.uint32)],
        [None],
        errors,
        where,
        _describer("time", sources, lambda: shape, reason),
    )
    return _finish(results[0], status, refused, errors, not shape and out is None, _Wrap(like))


def from_iso(
    texts: Any,
    *,
    fraction: str = "raise",
    accept: Any = (),
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """ISO 8601 texts as counts, read strictly by the C parser.

    ``YYYY-MM-DDTHH:MM:SS`` with or without a final ``Z``, as a numpy
    ``S``/``U`` array, a list of strings, or a pandas Series of strings
    (None, NaN and NA are refused as "not a number", any other non-text
    as a syntax error).  Nothing is normalised: no blanks, no lower-case
    ``z``, no other offset; second 60 only on a leap second of the table.
    A fraction of a second (``.5``) is refused, or with ``fraction="floor"``
    dropped.  The error names the parser's reason and the offset of the
    refused character.

    ``accept`` names the variants people write, as parseDate1996_iso_opt
    reads them: ``"space"`` (a blank for the ``T``), ``"lower_z"``,
    ``"utc_offset"`` (``+00:00``, ``+0000``, ``+00`` for the ``Z``) and
    ``"any_offset"`` (any offset up to 23:59, converted to UTC).

    >>> sec1996.from_iso(["1997-06-30T23:59:60Z", "1997-07-01T00:00:00"])
    array([47260800, 47260801], dtype=uint32)
    >>> sec1996.from_iso("1997-07-01 01:59:60+02:00", accept=("space", "any_offset"))
    47260800
    """
    floor = _fraction(fraction, "from_iso")
    flags = _iso_flags(accept, "from_iso")
    if _is_dask(texts):
        kwargs = {"errors": errors, "fraction": fraction, "accept": accept}
        return _lazy(from_iso, [texts], kwargs, 1, [np.uint32])
    _check_out(out, np.uint32, "from_iso")
    a, like = _unpack(texts, "from_iso", "text")
    a, kernel, view = _text_kernel(a, ufunc.from_iso_object, ufunc.from_iso)
    option: Any = np.bool_(floor)
    if flags:
        kernel = ufunc.from_iso_opt_object if view is None else ufunc.from_iso_opt
        option = np.uint32(flags | (_ext.ISO_FLAGS["floor_fraction"] if floor else 0))

    def reason(index: Tuple[int, ...], code: int) -> str:
        value = np.broadcast_to(a, a.shape)[index]
        if isinstance(value, (bytes, np.bytes_)):
            raw = bytes(value)
        elif isinstance(value, str):
            raw = "".join(c if ord(c) < 128 else "\xff" for c in value).encode("latin-1")
        else:
            return f"{status_text(code)}: not a str or bytes but {type(value).__name__}"
        if flags:
            status, _, offset = _ext.parse_iso_opt(raw, int(option))
        else:
            status, _, offset = _ext.parse_text(raw[:65], floor)
        return f"{status_text(code)} (at offset {offset})" if status == code else status_text(code)

    results, status, refused = _run(
        "from_iso",
        kernel,
        [a, option],
        [view, None],
        [(out, np.uint32)],
        [None],
        errors,
        where,
        _describer("text", [a], lambda: a.shape, reason),
    )
    return _finish(results[0], status, refused, errors, a.ndim == 0 and out is None, _Wrap(like))


def _iso_flags(accept: Any, function: str) -> int:
    """The SEC1996_ISO_* flags of the variants named."""
    names = [accept] if isinstance(accept, str) else list(accept)
    known = {k: v for k, v in _ext.ISO_FLAGS.items() if k != "floor_fraction"}
    unknown = [name for name in names if name not in known]
    if unknown:
        raise ValueError(
            f"sec1996.{function}: accept takes {sorted(known)}, not {unknown[0]!r}"
        )
    flags = 0
    for name in names:
        flags |= known[name]
    return flags


def from_text(
    texts: Any,
    *,
    format: Any,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Texts in the layout of a strftime-style pattern as counts, read
    strictly by the C function parseDate1996.

    ``format`` is an ASCII ``str`` or ``bytes`` pattern of the readable
    conversions (``%Y %m %d %e %j %y %H %M %S %b %B %a %A %T %F %D %R %s %z
    %Z %%``); a bad one, or one that names no year, raises ValueError in
    every mode.  Texts as for :func:`from_iso`: ``S``/``U`` arrays, lists,
    object arrays and pandas columns (None, NaN and NA refused as "not a
    number", any other non-text as text that does not match).  Every
    character must match, every number has its exact width, no text may be
    left over, and second 60 is read only on a leap second of the table.
    The error names the parser's reason and the offset of the refused
    character.

    >>> sec1996.from_text(["1997.181 23:59:60", "1997.182 00:00:00"], format="%Y.%j %T")
    array([47260800, 47260801], dtype=uint32)
    """
    raw = _pattern(format, "from_text")
    code, _, offset = _ext.parse_pattern_text(b"", raw)
    if code == Sec1996ParseStatus.PATTERN:
        words = status_text(code)
        if offset == len(raw):
            words += ": a pattern read needs a year (%Y, %y, %F or %D), or is %s"
        elif _format_width(raw)[0] == 0:
            words += ": a conversion that is only written, or %s beside a date or a time"
        raise ValueError(
            f"sec1996.from_text: format {format!r} refused: {words} (at offset {offset})"
        )
    if _is_dask(texts):
        return _lazy(from_text, [texts], {"errors": errors, "format": format}, 1, [np.uint32])
    _check_out(out, np.uint32, "from_text")
    a, like = _unpack(texts, "from_text", "text")
    a, kernel, view = _text_kernel(a, ufunc.parse_pattern_object, ufunc.parse_pattern)

    def reason(index: Tuple[int, ...], code: int) -> str:
        value = np.broadcast_to(a, a.shape)[index]
        if isinstance(value, (bytes, np.bytes_)):
            text = bytes(value)
        elif isinstance(value, str):
            if a.dtype.kind == "U":
                text = "".join(c if ord(c) < 128 else "\xff" for c in value).encode("latin-1")
            else:
                text = value.encode("utf-8", "surrogatepass")
        else:
            return f"{status_text(code)}: not a str or bytes but {type(value).__name__}"
        status, _, offset = _ext.parse_pattern_text(text, raw)
        return f"{status_text(code)} (at offset {offset})" if status == code else status_text(code)

    results, status, refused = _run(
        "from_text",
        kernel,
        [a, _pattern_units(raw)],
        [view, _text_view(np.uint8)],
        [(out, np.uint32)],
        [None],
        errors,
        where,
        _describer("text", [a], lambda: a.shape, reason),
    )
    return _finish(results[0], status, refused, errors, a.ndim == 0 and out is None, _Wrap(like))


def from_fields(
    year: Any,
    mon: Any = None,
    day: Any = None,
    hour: Any = None,
    minute: Any = None,
    sec: Any = None,
    *,
    strict: bool = False,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
    **old: Any,
) -> Any:
    """Calendar fields as counts.

    ``year`` is an integer array, or a record array with the six fields of
    :data:`FIELDS_DTYPE` (any integer types), as :func:`to_fields` gives,
    and then no other field argument.  ``mon`` and ``day`` are required
    otherwise; ``hour``, ``minute`` and ``sec`` are 0 when not given.  They
    broadcast together, and each value must fit in int32.

    By default (``strict=False``) the fields are normalised as the C
    function cvtToSec1996 normalises them: month 13 is January of the next
    year, day 0 the last day of the month before, and the time of day is
    added to that date's midnight as it stands, so 23:59:60 and 24:00:00 of
    1997-06-30 are the leap second.  Unlike the C function, which wraps
    modulo 2^32, a record whose instant lies off the scale is refused.
    With ``strict=True`` the record must name a real second of the scale
    (cvtToSec1996_checked: no month 13, no 1997-02-29, second 60 only on the
    leap second).  (``min=``, the old name of ``minute=``, still works but
    is deprecated: it shadows Python's builtin.)

    >>> sec1996.from_fields(1997, 6, 30, 23, 59, 60)
    47260800
    >>> sec1996.from_fields(1997, 13, 1)  # 1998-01-01, after the leap second
    63158401
    """
    if "min" in old:
        if minute is not None:
            raise TypeError("sec1996.from_fields: give minute= or min=, not both")
        warnings.warn(
            "sec1996.from_fields: the keyword min= is deprecated; use minute=",
            DeprecationWarning,
            stacklevel=2,
        )
        minute = old.pop("min")
    if old:
        raise TypeError(f"sec1996.from_fields: unexpected keyword(s) {sorted(old)}")
    function = "from_fields"
    names = getattr(np.asarray(year).dtype, "names", None) if not _is_dask(year) else None
    if names is not None:
        if any(field is not None for field in (mon, day, hour, minute, sec)):
            raise TypeError(f"sec1996.{function}: give a record array alone, or six field arrays")
        missing = [name for name in _FIELD_NAMES if name not in names]
        if missing:
            raise TypeError(f"sec1996.{function}: the record array lacks the field(s) {missing}")
        record, like = np.asarray(year), year if _is_pandas(year, "Series") else None
        fields: List[Any] = [record[name] for name in _FIELD_NAMES]
    else:
        if mon is None or day is None:
            raise TypeError(f"sec1996.{function}: year, mon and day are required")
        fields = [year, mon, day] + [0 if f is None else f for f in (hour, minute, sec)]
    if any(_is_dask(f) for f in fields):
        return _lazy(
            lambda *f, **kw: from_fields(*f, **kw),
            fields,
            {"errors": errors, "strict": strict},
            1,
            [np.uint32],
        )
    _check_out(out, np.uint32, function)
    arrays, likes = zip(*(_unpack(f, function, "integer") for f in fields))
    like = next((c for c in likes if c is not None), None)
    shape = np.broadcast_shapes(*(a.shape for a in arrays))
    results, status, refused = _run(
        function,
        ufunc.from_fields,
        [*arrays, np.bool_(strict)],
        [None] * 7,
        [(out, np.uint32)],
        [None],
        errors,
        where,
        _describer("record", arrays, lambda: shape),
    )
    return _finish(results[0], status, refused, errors, not shape and out is None, _Wrap(like))


def from_year_day(
    year: Any,
    day: Any,
    *,
    strict: bool = False,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Years and fractional days of the year as counts.

    Bit for bit what the C function cvtToSec1996_yd gives: midnight of day
    ``trunc(day)`` of the year, plus the fraction in seconds rounded to the
    nearest (halves up).  182.0 in 1997 is 1997-07-01 00:00:00, one count
    after the leap second.  By default day 0 is 31 December of the year
    before and days past the year's end run on; with ``strict=True``
    (cvtToSec1996_yd_checked) the day must lie in its year.  Unlike the C
    function, which reads NaN as 1.0, clamps beyond +-2^31 days and wraps
    modulo 2^32, these are refused.  A scalar year beside an array of days
    costs no copy.

    >>> sec1996.from_year_day(1997, [181.99999999, 182.0])
    array([47260800, 47260801], dtype=uint32)
    """
    if _is_dask(year) or _is_dask(day):
        return _lazy(
            lambda y, d, **kw: from_year_day(y, d, **kw),
            [year, day],
            {"errors": errors, "strict": strict},
            1,
            [np.uint32],
        )
    _check_out(out, np.uint32, "from_year_day")
    years, like = _unpack(year, "from_year_day", "integer")
    days, day_like = _unpack(day, "from_year_day", "day")
    shape = np.broadcast_shapes(years.shape, days.shape)
    results, status, refused = _run(
        "from_year_day",
        ufunc.from_year_day,
        [years, days, np.bool_(strict)],
        [None] * 3,
        [(out, np.uint32)],
        [None],
        errors,
        where,
        _describer("(year, day)", [years, days], lambda: shape),
    )
    wrap = _Wrap(like if like is not None else day_like)
    return _finish(results[0], status, refused, errors, not shape and out is None, wrap)


# ---- True time: TAI, TT, GPS and SI seconds (sec1996.scales) ---------------------

from . import scales  # noqa: E402
from .scales import *  # noqa: E402,F401,F403

__all__ += scales.__all__

# The CCSDS time codes, in a module of their own on the helpers above.
from . import ccsds  # noqa: E402
from .ccsds import from_ccs, from_cds, from_cuc, to_ccs, to_cds, to_cuc  # noqa: E402
