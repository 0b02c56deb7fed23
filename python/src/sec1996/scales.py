"""True time: the TAI, TT and GPS time of counts, TAI-UTC, and the SI seconds
between counts, from a leap-second list that can be updated.

A count's lossless label (:func:`sec1996.to_iso`) is read as a true UTC
label; its TAI is that label plus TAI-UTC in force at it, from the full list
of leap seconds (not the scale's own one-entry table, which never changes).

=======================  ==================================================
``to_tai``               int64 TAI seconds since 1958-01-01T00:00:00 TAI
``to_tt``                int64 TT **milliseconds** since 1958-01-01T00:00:00
                         TT (TAI + 32.184 s, exact in an integer)
``to_gps``               int64 GPS seconds since 1980-01-06T00:00:00 UTC
``to_gps_week``          (int32 week, int32 second of the week)
``tai_minus_utc``        int32 seconds
``si_seconds_between``   int64 TAI(end) - TAI(start)
``from_*``               the checked way back to uint32 counts
=======================  ==================================================

A real leap second the scale lacks (2016-12-31T23:59:60) has a TAI but no
count: ``from_*`` refuse it (LEAP_NOT_ON_SCALE) unless ``map_leap=True``,
which gives the count of the 23:59:59 before it.  Past the list's expiry the
results are given, assuming no further leap second: a
:class:`LeapListExpiredWarning` says so, and ``errors="status"`` shows code
16 (LIST_EXPIRED) there.

Lists: :class:`LeapList` (``leap_list=None`` is the default table: the file
``SEC1996_LEAP_SECONDS`` names, else /usr/share/zoneinfo/leap-seconds.list,
else the copy built into the library).

>>> import sec1996
>>> sec1996.to_tai([0, 47260800])
array([1199145630, 1246406430])
>>> sec1996.from_tai(1861920036, map_leap=True)  # 2016-12-31T23:59:60
662774400
"""

from __future__ import annotations

import os
import warnings
from typing import Any, Callable, List, Optional, Sequence, Tuple, Union

import numpy as np

from . import (
    Sec1996ParseStatus,
    _ext,
    _check_out,
    _describer,
    _finish,
    _is_dask,
    _lazy,
    _mode,
    _run,
    _unpack,
    _Wrap,
    status_text,
    ufunc,
)

__all__ = [
    "LEAP_ENTRY_DTYPE",
    "LeapList",
    "LeapListError",
    "LeapListExpiredWarning",
    "LeapListFallbackWarning",
    "LeapListWarning",
    "from_astropy_time",
    "from_gps",
    "from_gps_week",
    "from_tai",
    "from_tt",
    "si_seconds_between",
    "tai_minus_utc",
    "to_astropy_time",
    "to_gps",
    "to_gps_week",
    "to_tai",
    "to_tt",
]

#: The record of :attr:`LeapList.entries`: from 00:00:00 UTC of ``date`` on
#: (``ntp_seconds`` since 1900-01-01), TAI-UTC is ``tai_minus_utc`` seconds.
LEAP_ENTRY_DTYPE = np.dtype(
    [("date", "datetime64[D]"), ("ntp_seconds", np.int64), ("tai_minus_utc", np.int32)]
)

_NTP_TO_POSIX = 2208988800  # 1900-01-01 to 1970-01-01, seconds
_SOURCES = ("builtin", "default_file", "env_file", "file", "buffer")
_EXPIRED = int(Sec1996ParseStatus.LIST_EXPIRED)
_NOT_ON_SCALE = int(Sec1996ParseStatus.LEAP_NOT_ON_SCALE)


class LeapListError(ValueError):
    """A leap-second list the library refused, read whole or not at all.

    ``str(error)`` is the library's message, ``"file:line: reason"``;
    ``status`` the :class:`sec1996.Sec1996ParseStatus` (LIST_NOT_FOUND,
    LIST_SYNTAX, LIST_HASH, LIST_ORDER or LIST_STEP) and ``line`` the line
    refused (0 when no one line is).
    """

    def __init__(self, message: str, status: int, line: int) -> None:
        super().__init__(message)
        self.message = message
        self.status = Sec1996ParseStatus(status)
        self.line = line


class LeapListWarning(UserWarning):
    """The base of the warnings about leap-second lists."""


class LeapListExpiredWarning(LeapListWarning):
    """Results given for instants at or past the list's expiry, assuming no
    further leap second (status LIST_EXPIRED, as ERFA's "dubious year")."""


class LeapListFallbackWarning(LeapListWarning):
    """The default table is the copy built into the library, not a file: the
    message is the library's reason."""


class LeapList:
    """An immutable leap-second list, in the leap-seconds.list format
    (IERS/NTP, as tzdata installs it).

    Made by :meth:`from_file`, :meth:`from_bytes` or :meth:`default`; a list
    the library refuses raises :class:`LeapListError` and nothing is kept.
    A loaded list stays loaded for the life of the process (the ufuncs take
    it by :attr:`id` without the GIL), and loading the same list again gives
    the same one.  It pickles with its text, so it reaches Dask workers
    (where the file is not the same, as a list read from a buffer).

    >>> text = b"#@ 3802291200\\n3029443200 30\\n3076704000 31\\n3124137600 32\\n"
    >>> mine = sec1996.LeapList.from_bytes(text, name="mine")
    >>> mine
    LeapList('mine', 3 entries, expires 2020-06-28)
    >>> mine.entries["tai_minus_utc"]
    array([30, 31, 32], dtype=int32)
    """

    __slots__ = ("_id", "_info", "_text")

    _id: int
    _info: Tuple[Any, ...]
    _text: Optional[bytes]

    def __init__(self) -> None:
        raise TypeError("sec1996.LeapList: use LeapList.from_file, from_bytes or default")

    @classmethod
    def _made(cls, result: Tuple[int, int, int, Optional[str]], text: Optional[bytes]) -> LeapList:
        list_id, status, line, message = result
        if list_id < 0:
            raise LeapListError(message or status_text(status), status, line)
        self = object.__new__(cls)
        object.__setattr__(self, "_id", list_id)
        object.__setattr__(self, "_info", _ext_info(list_id))
        object.__setattr__(self, "_text", text)
        return self

    @classmethod
    def from_file(cls, path: Union[str, "os.PathLike[str]"]) -> LeapList:
        """Reads a leap-seconds.list file (leapListFromFile1996)."""
        result = _ext.leap_list_from_file(os.fspath(path))
        text = None
        if result[0] >= 0:
            try:
                with open(path, "rb") as f:
                    text = f.read()
            except OSError:
                text = None
        return cls._made(result, text)

    @classmethod
    def from_bytes(cls, data: bytes, name: Optional[str] = None) -> LeapList:
        """Reads a list held in memory (leapListFromBuffer1996); ``name`` is
        what the messages and :attr:`origin` call it (default "buffer")."""
        raw = bytes(data)
        return cls._made(_ext.leap_list_from_buffer(raw, name), raw)

    @classmethod
    def default(cls) -> LeapList:
        """The default table (leapListDefault1996): loaded once, from the file
        the environment variable SEC1996_LEAP_SECONDS names, else
        /usr/share/zoneinfo/leap-seconds.list, else the built-in copy, which
        :attr:`fallback` and a :class:`LeapListFallbackWarning` explain."""
        _default_checked(3)
        return _DEFAULT

    def __setattr__(self, name: str, value: Any) -> None:
        raise AttributeError("sec1996.LeapList is immutable")

    def __reduce__(self) -> Any:
        if self._id == 0:
            return (LeapList.default, ())
        if self._text is None:
            raise TypeError(f"sec1996.LeapList: the text of {self.origin!r} can no longer be read")
        return (_restore, (self.source, self.origin, self._text))

    def __eq__(self, other: object) -> bool:
        return isinstance(other, LeapList) and other._id == self._id

    def __hash__(self) -> int:
        return hash(("sec1996.LeapList", self._id))

    def __repr__(self) -> str:
        expires = np.datetime64(self.expires, "D")
        return f"LeapList({self.origin!r}, {len(self._info[2])} entries, expires {expires})"

    @property
    def id(self) -> int:
        """The id the ufuncs of :mod:`sec1996.ufunc` take (0: the default)."""
        return self._id

    @property
    def source(self) -> str:
        """Where the list came from: "builtin", "default_file" (the tzdata
        file), "env_file" (SEC1996_LEAP_SECONDS), "file" or "buffer"."""
        return _SOURCES[self._info[0]]

    @property
    def origin(self) -> str:
        """The file's path, the buffer's name, or "built-in"."""
        return str(self._info[1])

    @property
    def entries(self) -> np.ndarray:
        """The entries, a read-only array of :data:`LEAP_ENTRY_DTYPE`."""
        rows = [
            (np.datetime64(f"{y:04d}-{m:02d}-{d:02d}", "D"), ntp, tai_utc)
            for ntp, tai_utc, (y, m, d) in self._info[2]
        ]
        entries = np.array(rows, LEAP_ENTRY_DTYPE)
        entries.flags.writeable = False
        return entries

    @property
    def expires(self) -> np.datetime64:
        """The #@ expiry, UTC, ``datetime64[s]``."""
        return np.datetime64(self._info[4] - _NTP_TO_POSIX, "s")

    @property
    def updated(self) -> Optional[np.datetime64]:
        """The #$ date of the last update, UTC, ``datetime64[s]``; None when
        the list has no #$ line."""
        ntp = self._info[3]
        return None if ntp == 0 else np.datetime64(ntp - _NTP_TO_POSIX, "s")

    @property
    def hash_checked(self) -> bool:
        """True when the list had a #h line (which matched its data)."""
        return bool(self._info[5])

    @property
    def expired(self) -> bool:
        """True when the expiry is at or before the current time of this
        machine's clock."""
        return bool(np.datetime64("now", "s") >= self.expires)

    @property
    def fallback(self) -> Optional[str]:
        """For the default table when it is the built-in copy: the library's
        reason, as "/etc/leap.list: cannot open: No such file or directory
        (the built-in list is used)"; else None."""
        if self._id != 0:
            return None
        return _ext.leap_list_default()[1]


def _restore(source: str, origin: str, text: bytes) -> LeapList:
    """An unpickled list: the file again where it still holds the same text
    (in the same process, the same list), else the text as a buffer."""
    if source == "file":
        try:
            with open(origin, "rb") as f:
                same = f.read() == text
            if same:
                return LeapList.from_file(origin)
        except (OSError, LeapListError):
            pass
    return LeapList.from_bytes(text, name=origin)


def _ext_info(list_id: int) -> Tuple[Any, ...]:
    return tuple(_ext.leap_list_info(list_id))


_DEFAULT: LeapList = object.__new__(LeapList)
object.__setattr__(_DEFAULT, "_id", 0)
object.__setattr__(_DEFAULT, "_text", None)
_default_said = False


def _default_checked(stacklevel: int) -> None:
    """Loads the default table, the first time saying why it is the built-in
    copy when it is."""
    global _default_said
    if _default_said:
        return
    _default_said = True
    object.__setattr__(_DEFAULT, "_info", _ext_info(0))
    status, message = _ext.leap_list_default()
    if status != 0:
        warnings.warn(message, LeapListFallbackWarning, stacklevel=stacklevel)


def _leap_list(leap_list: Optional[LeapList], function: str) -> LeapList:
    if leap_list is None:
        _default_checked(5)
        return _DEFAULT
    if not isinstance(leap_list, LeapList):
        raise TypeError(
            f"sec1996.{function}: leap_list must be a sec1996.LeapList or None, "
            f"not {type(leap_list).__name__}"
        )
    return leap_list


class _Lenient:
    """A kernel for the "raise" and "coerce" modes: what the list only warns
    about (LIST_EXPIRED), and a leap second mapped as asked, is converted;
    the expired ones are counted for the warning."""

    def __init__(self, kernel: Any, map_arg: Optional[int]) -> None:
        self.kernel = kernel
        self.signature = kernel.signature  # a gufunc's: its outputs come back, status last
        self.map_arg = map_arg
        self.expired = 0

    def __call__(self, *args: Any, **kwargs: Any) -> Any:
        result = self.kernel(*args, **kwargs)
        status = kwargs["out"][-1]
        if status is None:
            status = result[-1]
        if status.any():  # (a multiplication by the mask clears far faster than indexing)
            keep = status != _EXPIRED
            n = len(status) - int(np.count_nonzero(keep))
            if n:
                self.expired += n
                np.multiply(status, keep, out=status)
            if self.map_arg is not None:
                mapped = (status == _NOT_ON_SCALE) & args[self.map_arg]
                np.multiply(status, ~mapped, out=status)
        return result


def _warn_expired(function: str, lenient: _Lenient, table: LeapList, stacklevel: int) -> None:
    """The one warning of a call whose lenient kernel met values at or past
    the list's expiry; stacklevel counts from the caller of this function."""
    if lenient.expired:
        warnings.warn(
            f"sec1996.{function}: {lenient.expired} value(s) at or past the expiry of the "
            f"leap-second list {table.origin!r} ({np.datetime64(table.expires, 'D')}): "
            f"{status_text(_EXPIRED)}",
            LeapListExpiredWarning,
            stacklevel=stacklevel + 1,
        )


def _reason(table: LeapList) -> Callable[[Tuple[int, ...], int], str]:
    def reason(index: Tuple[int, ...], code: int) -> str:
        words = status_text(code)
        if code == Sec1996ParseStatus.OUT_OF_SPAN:
            first = table.entries["date"][0]
            return f"{words}: a count is 0 to 4294967295, and the list starts on {first}"
        if code == Sec1996ParseStatus.LEAP_NOT_ON_SCALE:
            return f"{words}; map_leap=True gives the count of the 23:59:59 before it"
        if code == Sec1996ParseStatus.FRACTION:
            return f"{words} (TT milliseconds of a whole TAI second end in 184)"
        if code == Sec1996ParseStatus.FIELD_RANGE:
            return f"{words}: the second of the week is 0 to 604799"
        return words

    return reason


def _convert(
    function: str,
    kernel: np.ufunc,
    sources: List[np.ndarray],
    extra: List[Any],
    table: LeapList,
    dtypes: Sequence[Any],
    out: Any,
    where: Any,
    errors: str,
    what: str,
    like: Any,
    map_arg: Optional[int] = None,
) -> Any:
    """kernel(*sources, list id, *extra) in a mode, with the list's warning."""
    mode = _mode(errors, function)
    inputs = [*sources, np.int64(table.id), *extra]
    shape = np.broadcast_shapes(*(np.shape(a) for a in [*sources, *extra]))
    run_kernel: Any = kernel if mode == "status" else _Lenient(kernel, map_arg)
    outs = (out,) if len(dtypes) == 1 else (out if out is not None else (None,) * len(dtypes))
    results, status, refused = _run(
        function,
        run_kernel,
        inputs,
        [None] * len(inputs),
        [(o, d) for o, d in zip(outs, dtypes)],
        [None] * len(dtypes),
        errors,
        where,
        _describer(what, sources, lambda: shape, _reason(table)),
    )
    if mode != "status":
        _warn_expired(function, run_kernel, table, 4)
    values = results[0] if len(results) == 1 else tuple(results)
    scalar = not shape and out is None
    return _finish(values, status, refused, errors, scalar, _Wrap(like))


def _counts_in(
    function: str,
    kernel: np.ufunc,
    counts: Sequence[Any],
    leap_list: Optional[LeapList],
    dtypes: Sequence[Any],
    out: Any,
    where: Any,
    errors: str,
) -> Any:
    table = _leap_list(leap_list, function)
    if len(dtypes) == 1:
        _check_out(out, dtypes[0], function)
    elif out is not None:
        for o, d in zip(out, dtypes):
            _check_out(o, d, function)
    unpacked = [_unpack(c, function, "count") for c in counts]
    like = next((c for _, c in unpacked if c is not None), None)
    arrays = [a for a, _ in unpacked]
    what = "count" if len(arrays) == 1 else "(start, end)"
    return _convert(function, kernel, arrays, [], table, dtypes, out, where, errors, what, like)


def _lazy_counts(
    function: Callable[..., Any], args: Sequence[Any], kwargs: Any, dtypes: Any
) -> Any:
    return _lazy(lambda *a, **kw: function(*a, **kw), args, kwargs, len(dtypes), dtypes)


def to_tai(
    counts: Any,
    *,
    leap_list: Optional[LeapList] = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as int64 TAI seconds since 1958-01-01T00:00:00 TAI, as
    ``std::chrono::tai_clock`` counts (cvtFromSec1996_tai).

    >>> sec1996.to_tai(0)
    1199145630
    """
    if _is_dask(counts):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_counts(to_tai, [counts], kwargs, [np.int64])
    return _counts_in("to_tai", ufunc.to_tai, [counts], leap_list, [np.int64], out, where, errors)


def to_tt(
    counts: Any,
    *,
    leap_list: Optional[LeapList] = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as int64 TT **milliseconds** since 1958-01-01T00:00:00 TT
    (cvtFromSec1996_tt): TAI * 1000 + 32184, exact in an integer, which a
    float64 of seconds would not be.

    >>> sec1996.to_tt(0)
    1199145662184
    """
    if _is_dask(counts):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_counts(to_tt, [counts], kwargs, [np.int64])
    return _counts_in("to_tt", ufunc.to_tt, [counts], leap_list, [np.int64], out, where, errors)


def to_gps(
    counts: Any,
    *,
    leap_list: Optional[LeapList] = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as int64 GPS seconds since 1980-01-06T00:00:00 UTC, as
    ``std::chrono::gps_clock`` counts (TAI - 19 s; cvtFromSec1996_gps).

    >>> sec1996.to_gps(0)
    504489611
    """
    if _is_dask(counts):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_counts(to_gps, [counts], kwargs, [np.int64])
    return _counts_in("to_gps", ufunc.to_gps, [counts], leap_list, [np.int64], out, where, errors)


def to_gps_week(
    counts: Any,
    *,
    leap_list: Optional[LeapList] = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """Counts as the pair ``(weeks, seconds)``, int32 GPS weeks since
    1980-01-06 (not reduced modulo 1024) and the second of the week, 0 to
    604799, from Sunday 00:00:00 GPS time (cvtFromSec1996_gpsWeek).
    ``out``: a pair of int32 arrays.

    >>> sec1996.to_gps_week(0)
    (834, 86411)
    """
    dtypes = [np.int32, np.int32]
    if _is_dask(counts):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_counts(to_gps_week, [counts], kwargs, dtypes)
    return _counts_in(
        "to_gps_week", ufunc.to_gps_week, [counts], leap_list, dtypes, out, where, errors
    )


def tai_minus_utc(
    counts: Any,
    *,
    leap_list: Optional[LeapList] = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """TAI-UTC in force at each count, int32 seconds (taiMinusUtc1996).
    During a leap second it is still the value before it.

    >>> sec1996.tai_minus_utc([47260800, 47260801])
    array([30, 31], dtype=int32)
    """
    if _is_dask(counts):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_counts(tai_minus_utc, [counts], kwargs, [np.int32])
    return _counts_in(
        "tai_minus_utc", ufunc.tai_minus_utc, [counts], leap_list, [np.int32], out, where, errors
    )


def si_seconds_between(
    start: Any,
    end: Any,
    *,
    leap_list: Optional[LeapList] = None,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """The SI seconds from ``start`` to ``end`` (counts, broadcast together):
    int64 TAI(end) - TAI(start), negative when end is first
    (siSecondsBetween1996).  Across a leap second the scale lacks it is one
    more than the counts' difference.

    >>> sec1996.si_seconds_between(94694400, 94694401)  # 1998-12-31T23:59:59 to 1999
    2
    """
    if _is_dask(start) or _is_dask(end):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_counts(si_seconds_between, [start, end], kwargs, [np.int64])
    return _counts_in(
        "si_seconds_between",
        ufunc.si_seconds_between,
        [start, end],
        leap_list,
        [np.int64],
        out,
        where,
        errors,
    )


# ---- True time to counts -------------------------------------------------------


def _integers(x: Any, function: str, what: str) -> Tuple[np.ndarray, Any]:
    try:
        a, like = _unpack(x, function, "integer")
    except TypeError as error:
        raise TypeError(str(error).replace("fields must", f"{what} must")) from None
    if a.dtype == np.uint64:  # beyond int64 lies beyond the scale: refused as such
        a = np.minimum(a, np.iinfo(np.int64).max).astype(np.int64)
    return a, like


def _map_flags(map_leap: Any, function: str) -> np.ndarray:
    flags = np.asarray(map_leap)
    if flags.dtype != np.bool_:
        raise TypeError(f"sec1996.{function}: map_leap must be bool, not dtype {flags.dtype}")
    return flags


def _times_in(
    function: str,
    kernel: np.ufunc,
    values: Sequence[Any],
    names: Sequence[str],
    leap_list: Optional[LeapList],
    map_leap: Any,
    out: Any,
    where: Any,
    errors: str,
) -> Any:
    table = _leap_list(leap_list, function)
    flags = _map_flags(map_leap, function)
    _check_out(out, np.uint32, function)
    unpacked = [_integers(v, function, n) for v, n in zip(values, names)]
    like = next((c for _, c in unpacked if c is not None), None)
    arrays = [a for a, _ in unpacked]
    what = names[0] if len(names) == 1 else "(" + ", ".join(names) + ")"
    return _convert(
        function,
        kernel,
        arrays,
        [flags],
        table,
        [np.uint32],
        out,
        where,
        errors,
        what,
        like,
        map_arg=len(arrays) + 1,
    )


def _lazy_times(
    function: Callable[..., Any], args: Sequence[Any], map_leap: Any, kwargs: Any
) -> Any:
    if isinstance(map_leap, (bool, np.bool_)):
        kwargs = {**kwargs, "map_leap": map_leap}
        return _lazy(lambda *a, **kw: function(*a, **kw), args, kwargs, 1, [np.uint32])
    n = len(args)
    return _lazy(
        lambda *a, **kw: function(*a[:n], map_leap=a[n], **kw),
        [*args, map_leap],
        kwargs,
        1,
        [np.uint32],
    )


def from_tai(
    tai: Any,
    *,
    leap_list: Optional[LeapList] = None,
    map_leap: Any = False,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """int64 TAI seconds since 1958-01-01T00:00:00 TAI as counts, checked
    (cvtToSec1996_tai).

    An instant before count 0 or after count 4294967295 is refused
    (OUT_OF_SPAN); so is a real leap second the scale lacks
    (LEAP_NOT_ON_SCALE), unless ``map_leap`` (a bool, or a bool array
    broadcast with the values) is True there: then it gives the count of
    the 23:59:59 before it, as the scale shows its own leap second.
    Under ``errors="status"`` such a mapped value keeps its status 15.

    >>> sec1996.from_tai([1199145630, 1246406430])
    array([       0, 47260800], dtype=uint32)
    """
    if _is_dask(tai) or _is_dask(map_leap):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_times(from_tai, [tai], map_leap, kwargs)
    return _times_in(
        "from_tai", ufunc.from_tai, [tai], ["TAI"], leap_list, map_leap, out, where, errors
    )


def from_tt(
    tt: Any,
    *,
    leap_list: Optional[LeapList] = None,
    map_leap: Any = False,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """int64 TT milliseconds since 1958-01-01T00:00:00 TT as counts, checked
    (cvtToSec1996_tt); a value that is no whole TAI second (not ending in
    184 ms) is refused (FRACTION).  ``map_leap``: as for :func:`from_tai`.

    >>> sec1996.from_tt(1199145662184)
    0
    """
    if _is_dask(tt) or _is_dask(map_leap):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_times(from_tt, [tt], map_leap, kwargs)
    return _times_in(
        "from_tt", ufunc.from_tt, [tt], ["TT"], leap_list, map_leap, out, where, errors
    )


def from_gps(
    gps: Any,
    *,
    leap_list: Optional[LeapList] = None,
    map_leap: Any = False,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """int64 GPS seconds since 1980-01-06T00:00:00 UTC as counts, checked
    (cvtToSec1996_gps).  ``map_leap``: as for :func:`from_tai`.

    >>> sec1996.from_gps(504489611)
    0
    """
    if _is_dask(gps) or _is_dask(map_leap):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_times(from_gps, [gps], map_leap, kwargs)
    return _times_in(
        "from_gps", ufunc.from_gps, [gps], ["GPS"], leap_list, map_leap, out, where, errors
    )


def from_gps_week(
    week: Any,
    second: Any,
    *,
    leap_list: Optional[LeapList] = None,
    map_leap: Any = False,
    errors: str = "raise",
    out: Any = None,
    where: Any = True,
) -> Any:
    """GPS weeks since 1980-01-06 (not modulo 1024) and seconds of the week
    (0 to 604799, else FIELD_RANGE) as counts, checked
    (cvtToSec1996_gpsWeek).  ``map_leap``: as for :func:`from_tai`.

    >>> sec1996.from_gps_week(1930, 18)  # 2017-01-01T00:00:00
    662774401
    """
    if _is_dask(week) or _is_dask(second) or _is_dask(map_leap):
        kwargs = {"leap_list": leap_list, "errors": errors}
        return _lazy_times(from_gps_week, [week, second], map_leap, kwargs)
    return _times_in(
        "from_gps_week",
        ufunc.from_gps_week,
        [week, second],
        ["week", "second"],
        leap_list,
        map_leap,
        out,
        where,
        errors,
    )


# ---- astropy -------------------------------------------------------------------

_JD_1958 = 2436204.5  # 1958-01-01T00:00:00, the epoch of TAI seconds, as a Julian date
_WHOLE = 1e-9  # a time within this many seconds of a whole TAI second is that second


def _astropy(function: str) -> Any:
    try:
        from astropy.time import Time
    except ImportError as error:
        raise ImportError(
            f"sec1996.{function} needs astropy, which is not installed "
            "(Debian: apt-get install python3-astropy)"
        ) from error
    return Time


def to_astropy_time(counts: Any, leap_list: Optional[LeapList] = None) -> Any:
    """Counts as an ``astropy.time.Time`` in the TAI scale, made from their
    TAI seconds: whole days since 1958-01-01 as the first Julian-date part
    and the seconds of the day / 86400 as the second, so astropy holds each
    instant to its own precision (far below a microsecond).  Refusals raise
    as :func:`to_tai` raises.  Needs astropy (not a dependency of sec1996).

    >>> t = sec1996.to_astropy_time([47260800, 662774401])
    >>> t.utc.isot.tolist()
    ['1997-06-30T23:59:60.000', '2017-01-01T00:00:00.000']
    """
    Time = _astropy("to_astropy_time")
    tai = np.asarray(to_tai(np.asarray(counts), leap_list=leap_list))
    days, seconds = np.divmod(tai, 86400)
    return Time(_JD_1958 + days.astype(np.float64), seconds / 86400.0, format="jd", scale="tai")


def from_astropy_time(
    time: Any,
    *,
    leap_list: Optional[LeapList] = None,
    map_leap: Any = False,
    fraction: str = "raise",
    errors: str = "raise",
) -> Any:
    """An ``astropy.time.Time`` (any scale astropy converts to TAI) as
    counts, through its TAI, checked as :func:`from_tai` checks.

    A time more than a nanosecond from a whole second is refused
    (FRACTION), or with ``fraction="floor"`` floored; ``map_leap`` as for
    :func:`from_tai`.

    >>> from astropy.time import Time
    >>> sec1996.from_astropy_time(Time(["1997-06-30T23:59:60", "2017-01-01"], scale="utc"))
    array([ 47260800, 662774401], dtype=uint32)
    """
    _astropy("from_astropy_time")
    if fraction not in ("raise", "floor"):
        raise ValueError(
            f"sec1996.from_astropy_time: fraction must be 'raise' or 'floor', not {fraction!r}"
        )
    tai = time.tai
    jd1, jd2 = np.asarray(tai.jd1, np.float64), np.asarray(tai.jd2, np.float64)
    day_seconds = jd2 * 86400.0
    whole = np.round(day_seconds)
    rest = day_seconds - whole
    if fraction == "floor":
        whole = np.where(rest < -_WHOLE, whole - 1, whole)
    seconds = ((jd1 - _JD_1958) * 86400.0 + whole).astype(np.int64)
    # A fraction enters as TT milliseconds off the 184 of a whole TAI second,
    # so that the library itself refuses it, as FRACTION, in every mode.
    off = (np.abs(rest) > _WHOLE) & (fraction == "raise")
    tt = seconds * 1000 + 32184 + off
    function = "from_astropy_time"
    return _times_in(
        function, ufunc.from_tt, [tt], ["time"], leap_list, map_leap, None, True, errors
    )
