# Type stubs of sec1996.scales (re-exported by sec1996): true time.
import os
from typing import Any, Literal, Optional, Tuple, Union, overload

import numpy as np
from numpy.typing import ArrayLike, NDArray

Values = Literal["raise", "coerce"]
Status = NDArray[np.int16]
Where = Union[bool, ArrayLike]
MapLeap = Union[bool, ArrayLike]

LEAP_ENTRY_DTYPE: np.dtype[np.void]

class LeapListError(ValueError):
    message: str
    status: int
    line: int
    def __init__(self, message: str, status: int, line: int) -> None: ...

class LeapListWarning(UserWarning): ...
class LeapListExpiredWarning(LeapListWarning): ...
class LeapListFallbackWarning(LeapListWarning): ...

class LeapList:
    @classmethod
    def from_file(cls, path: Union[str, os.PathLike[str]]) -> LeapList: ...
    @classmethod
    def from_bytes(cls, data: bytes, name: Optional[str] = ...) -> LeapList: ...
    @classmethod
    def default(cls) -> LeapList: ...
    @property
    def id(self) -> int: ...
    @property
    def source(self) -> str: ...
    @property
    def origin(self) -> str: ...
    @property
    def entries(self) -> NDArray[np.void]: ...
    @property
    def expires(self) -> np.datetime64: ...
    @property
    def updated(self) -> Optional[np.datetime64]: ...
    @property
    def hash_checked(self) -> bool: ...
    @property
    def expired(self) -> bool: ...
    @property
    def fallback(self) -> Optional[str]: ...

# Counts in.  Under "coerce" the arrays are numpy masked arrays.
@overload
def to_tai(
    counts: int,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.int64: ...
@overload
def to_tai(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> NDArray[np.int64]: ...
@overload
def to_tai(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.int64], Status]: ...
@overload
def to_tt(
    counts: int,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.int64: ...
@overload
def to_tt(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> NDArray[np.int64]: ...
@overload
def to_tt(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.int64], Status]: ...
@overload
def to_gps(
    counts: int,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.int64: ...
@overload
def to_gps(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> NDArray[np.int64]: ...
@overload
def to_gps(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.int64], Status]: ...
@overload
def tai_minus_utc(
    counts: int,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.int32: ...
@overload
def tai_minus_utc(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.int32]] = ...,
    where: Where = ...,
) -> NDArray[np.int32]: ...
@overload
def tai_minus_utc(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.int32]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.int32], Status]: ...
@overload
def to_gps_week(
    counts: int,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Tuple[np.int32, np.int32]: ...
@overload
def to_gps_week(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: Optional[Tuple[NDArray[np.int32], NDArray[np.int32]]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.int32], NDArray[np.int32]]: ...
@overload
def to_gps_week(
    counts: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Literal["status"],
    out: Optional[Tuple[NDArray[np.int32], NDArray[np.int32]]] = ...,
    where: Where = ...,
) -> Tuple[Tuple[NDArray[np.int32], NDArray[np.int32]], Status]: ...
@overload
def si_seconds_between(
    start: int,
    end: int,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.int64: ...
@overload
def si_seconds_between(
    start: ArrayLike,
    end: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> NDArray[np.int64]: ...
@overload
def si_seconds_between(
    start: ArrayLike,
    end: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.int64]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.int64], Status]: ...

# True time to counts, checked.
@overload
def from_tai(
    tai: int,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_tai(
    tai: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> NDArray[np.uint32]: ...
@overload
def from_tai(
    tai: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.uint32], Status]: ...
@overload
def from_tt(
    tt: int,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_tt(
    tt: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> NDArray[np.uint32]: ...
@overload
def from_tt(
    tt: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.uint32], Status]: ...
@overload
def from_gps(
    gps: int,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_gps(
    gps: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> NDArray[np.uint32]: ...
@overload
def from_gps(
    gps: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.uint32], Status]: ...
@overload
def from_gps_week(
    week: int,
    second: int,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_gps_week(
    week: ArrayLike,
    second: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Values = ...,
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> NDArray[np.uint32]: ...
@overload
def from_gps_week(
    week: ArrayLike,
    second: ArrayLike,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    errors: Literal["status"],
    out: Optional[NDArray[np.uint32]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.uint32], Status]: ...

# astropy (optional): an astropy.time.Time in and out.
def to_astropy_time(counts: ArrayLike, leap_list: Optional[LeapList] = ...) -> Any: ...
@overload
def from_astropy_time(
    time: Any,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    fraction: Literal["raise", "floor"] = ...,
    errors: Values = ...,
) -> Any: ...
@overload
def from_astropy_time(
    time: Any,
    *,
    leap_list: Optional[LeapList] = ...,
    map_leap: MapLeap = ...,
    fraction: Literal["raise", "floor"] = ...,
    errors: Literal["status"],
) -> Tuple[Any, Status]: ...
