# Type stubs of the sec1996 package.  Arrays in are anything numpy takes
# (and pandas, xarray and dask objects, given back in kind); a Python scalar
# in gives a numpy scalar out.
import enum
from typing import Any, Collection, Literal, Optional, Tuple, Union, overload

import numpy as np
from numpy.typing import ArrayLike, NDArray

from . import scales as scales
from . import ccsds as ccsds
from . import ufunc as ufunc
from .ccsds import from_ccs as from_ccs
from .ccsds import from_cds as from_cds
from .ccsds import from_cuc as from_cuc
from .ccsds import to_ccs as to_ccs
from .ccsds import to_cds as to_cds
from .ccsds import to_cuc as to_cuc

__version__: str

class Sec1996ParseStatus(enum.IntEnum):
    OK: int
    SYNTAX: int
    FIELD_RANGE: int
    NO_SUCH_DATE: int
    NOT_LEAP_SECOND: int
    OUT_OF_SPAN: int
    NOT_A_NUMBER: int
    FRACTION: int
    OFFSET: int
    PATTERN: int
    BUFFER_TOO_SMALL: int
    TRUNCATED: int
    RESERVED: int
    WRONG_CODE: int
    BAD_DIGIT: int
    LEAP_NOT_ON_SCALE: int
    LIST_EXPIRED: int
    LIST_SYNTAX: int
    LIST_HASH: int
    LIST_ORDER: int
    LIST_STEP: int
    LIST_NOT_FOUND: int
    CONFLICT: int
    MISMATCH: int
    OTHER_LAYOUT: int

STATUS_DTYPE: np.dtype[np.int16]
COUNT_SENTINEL: int
LAST_COUNT: int
LEAP_SECONDS: Tuple[int, ...]
FIELDS_DTYPE: np.dtype[np.void]

Values = Literal["raise", "coerce"]
Status = NDArray[np.int16]
Where = Union[bool, ArrayLike]
Fraction = Literal["raise", "floor"]
TextDtype = Union[None, type, str]
Pattern = Union[str, bytes]

def status_text(code: int) -> str: ...

# Counts in.  Under "coerce" the arrays are numpy masked arrays (a
# subclass of ndarray), but for to_datetime64, which gives NaT.
@overload
def to_datetime64(
    counts: int, *, errors: Values = ..., out: None = ..., where: Where = ...
) -> np.datetime64: ...
@overload
def to_datetime64(
    counts: ArrayLike,
    *,
    errors: Values = ...,
    out: Optional[NDArray[np.datetime64]] = ...,
    where: Where = ...,
) -> NDArray[np.datetime64]: ...
@overload
def to_datetime64(
    counts: ArrayLike,
    *,
    errors: Literal["status"],
    out: Optional[NDArray[np.datetime64]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.datetime64], Status]: ...
@overload
def is_leap_second(
    counts: int, *, errors: Values = ..., out: None = ..., where: Where = ...
) -> np.bool_: ...
@overload
def is_leap_second(
    counts: ArrayLike,
    *,
    errors: Values = ...,
    out: Optional[NDArray[np.bool_]] = ...,
    where: Where = ...,
) -> NDArray[np.bool_]: ...
@overload
def is_leap_second(
    counts: ArrayLike,
    *,
    errors: Literal["status"],
    out: Optional[NDArray[np.bool_]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.bool_], Status]: ...
@overload
def to_iso(
    counts: int,
    *,
    dtype: TextDtype = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Union[np.bytes_, np.str_]: ...
@overload
def to_iso(
    counts: ArrayLike,
    *,
    dtype: TextDtype = ...,
    errors: Values = ...,
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> NDArray[Any]: ...
@overload
def to_iso(
    counts: ArrayLike,
    *,
    dtype: TextDtype = ...,
    errors: Literal["status"],
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[Any], Status]: ...
@overload
def to_text(
    counts: int,
    *,
    format: Optional[Pattern] = ...,
    dtype: TextDtype = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Union[np.bytes_, np.str_]: ...
@overload
def to_text(
    counts: ArrayLike,
    *,
    format: Optional[Pattern] = ...,
    dtype: TextDtype = ...,
    errors: Values = ...,
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> NDArray[Any]: ...
@overload
def to_text(
    counts: ArrayLike,
    *,
    format: Optional[Pattern] = ...,
    dtype: TextDtype = ...,
    errors: Literal["status"],
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[Any], Status]: ...
@overload
def to_fields(
    counts: int, *, errors: Values = ..., out: None = ..., where: Where = ...
) -> np.void: ...
@overload
def to_fields(
    counts: ArrayLike,
    *,
    errors: Values = ...,
    out: Optional[NDArray[np.void]] = ...,
    where: Where = ...,
) -> NDArray[np.void]: ...
@overload
def to_fields(
    counts: ArrayLike,
    *,
    errors: Literal["status"],
    out: Optional[NDArray[np.void]] = ...,
    where: Where = ...,
) -> Tuple[NDArray[np.void], Status]: ...

YearDays = Tuple[NDArray[np.int32], NDArray[np.float64]]
YearDaysOut = Optional[Tuple[NDArray[np.int32], NDArray[np.float64]]]

@overload
def to_year_day(
    counts: int, *, errors: Values = ..., out: None = ..., where: Where = ...
) -> Tuple[np.int32, np.float64]: ...
@overload
def to_year_day(
    counts: ArrayLike, *, errors: Values = ..., out: YearDaysOut = ..., where: Where = ...
) -> YearDays: ...
@overload
def to_year_day(
    counts: ArrayLike, *, errors: Literal["status"], out: YearDaysOut = ..., where: Where = ...
) -> Tuple[YearDays, Status]: ...

# Counts out.
Counts = NDArray[np.uint32]
CountsOut = Optional[NDArray[np.uint32]]

@overload
def from_datetime64(
    times: Union[np.datetime64, Any],
    *,
    leap: Optional[ArrayLike] = ...,
    fraction: Fraction = ...,
    errors: Values = ...,
    out: CountsOut = ...,
    where: Where = ...,
) -> Any: ...
@overload
def from_datetime64(
    times: ArrayLike,
    *,
    leap: Optional[ArrayLike] = ...,
    fraction: Fraction = ...,
    errors: Literal["status"],
    out: CountsOut = ...,
    where: Where = ...,
) -> Tuple[Counts, Status]: ...
@overload
def from_iso(
    texts: Union[str, bytes],
    *,
    fraction: Fraction = ...,
    accept: Union[str, Collection[str]] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_iso(
    texts: ArrayLike,
    *,
    fraction: Fraction = ...,
    accept: Union[str, Collection[str]] = ...,
    errors: Values = ...,
    out: CountsOut = ...,
    where: Where = ...,
) -> Counts: ...
@overload
def from_iso(
    texts: ArrayLike,
    *,
    fraction: Fraction = ...,
    accept: Union[str, Collection[str]] = ...,
    errors: Literal["status"],
    out: CountsOut = ...,
    where: Where = ...,
) -> Tuple[Counts, Status]: ...
@overload
def from_text(
    texts: Union[str, bytes],
    *,
    format: Pattern,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_text(
    texts: ArrayLike,
    *,
    format: Pattern,
    errors: Values = ...,
    out: CountsOut = ...,
    where: Where = ...,
) -> Counts: ...
@overload
def from_text(
    texts: ArrayLike,
    *,
    format: Pattern,
    errors: Literal["status"],
    out: CountsOut = ...,
    where: Where = ...,
) -> Tuple[Counts, Status]: ...
@overload
def from_fields(
    year: int,
    mon: int,
    day: int,
    hour: int = ...,
    minute: int = ...,
    sec: int = ...,
    *,
    strict: bool = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_fields(
    year: ArrayLike,
    mon: Optional[ArrayLike] = ...,
    day: Optional[ArrayLike] = ...,
    hour: Optional[ArrayLike] = ...,
    minute: Optional[ArrayLike] = ...,
    sec: Optional[ArrayLike] = ...,
    *,
    strict: bool = ...,
    errors: Values = ...,
    out: CountsOut = ...,
    where: Where = ...,
) -> Counts: ...
@overload
def from_fields(
    year: ArrayLike,
    mon: Optional[ArrayLike] = ...,
    day: Optional[ArrayLike] = ...,
    hour: Optional[ArrayLike] = ...,
    minute: Optional[ArrayLike] = ...,
    sec: Optional[ArrayLike] = ...,
    *,
    strict: bool = ...,
    errors: Literal["status"],
    out: CountsOut = ...,
    where: Where = ...,
) -> Tuple[Counts, Status]: ...
@overload
def from_year_day(
    year: int,
    day: float,
    *,
    strict: bool = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> np.uint32: ...
@overload
def from_year_day(
    year: ArrayLike,
    day: ArrayLike,
    *,
    strict: bool = ...,
    errors: Values = ...,
    out: CountsOut = ...,
    where: Where = ...,
) -> Counts: ...
@overload
def from_year_day(
    year: ArrayLike,
    day: ArrayLike,
    *,
    strict: bool = ...,
    errors: Literal["status"],
    out: CountsOut = ...,
    where: Where = ...,
) -> Tuple[Counts, Status]: ...

# True time (sec1996.scales).
from .scales import LEAP_ENTRY_DTYPE as LEAP_ENTRY_DTYPE
from .scales import LeapList as LeapList
from .scales import LeapListError as LeapListError
from .scales import LeapListExpiredWarning as LeapListExpiredWarning
from .scales import LeapListFallbackWarning as LeapListFallbackWarning
from .scales import LeapListWarning as LeapListWarning
from .scales import from_astropy_time as from_astropy_time
from .scales import from_gps as from_gps
from .scales import from_gps_week as from_gps_week
from .scales import from_tai as from_tai
from .scales import from_tt as from_tt
from .scales import si_seconds_between as si_seconds_between
from .scales import tai_minus_utc as tai_minus_utc
from .scales import to_astropy_time as to_astropy_time
from .scales import to_gps as to_gps
from .scales import to_gps_week as to_gps_week
from .scales import to_tai as to_tai
from .scales import to_tt as to_tt
