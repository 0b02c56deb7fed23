# Type stubs of sec1996.ccsds.  Codes out are V{n} arrays (S{n} with
# dtype=bytes, uint8[..., n] with dtype=np.uint8); a decoder gives the pair
# (counts, fractions).
import datetime
from typing import Any, Literal, Optional, Tuple, Union, overload

import numpy as np
from numpy.typing import ArrayLike, NDArray

from .scales import LeapList

Values = Literal["raise", "coerce"]
Status = NDArray[np.int16]
Where = Union[bool, ArrayLike]
SubMs = Literal["none", "us", "ps"]
Epoch = Union[int, str, datetime.date, np.datetime64]
Codes = NDArray[Any]
Code = Union[np.void, np.bytes_, NDArray[np.uint8]]
Decoded = Tuple[NDArray[np.uint32], NDArray[np.uint64]]
DecodedOut = Optional[Tuple[NDArray[np.uint32], NDArray[np.uint64]]]
@overload
def to_cuc(
    counts: int,
    fraction: Optional[ArrayLike] = ...,
    *,
    coarse: int = ...,
    fine: int = ...,
    p_field: bool = ...,
    level: Literal[1, 2] = ...,
    leap_list: Optional[LeapList] = ...,
    dtype: Any = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Code: ...
@overload
def to_cuc(
    counts: ArrayLike,
    fraction: Optional[ArrayLike] = ...,
    *,
    coarse: int = ...,
    fine: int = ...,
    p_field: bool = ...,
    level: Literal[1, 2] = ...,
    leap_list: Optional[LeapList] = ...,
    dtype: Any = ...,
    errors: Values = ...,
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Codes: ...
@overload
def to_cuc(
    counts: ArrayLike,
    fraction: Optional[ArrayLike] = ...,
    *,
    coarse: int = ...,
    fine: int = ...,
    p_field: bool = ...,
    level: Literal[1, 2] = ...,
    leap_list: Optional[LeapList] = ...,
    dtype: Any = ...,
    errors: Literal["status"],
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Tuple[Codes, Status]: ...
@overload
def from_cuc(
    codes: Union[bytes, bytearray],
    *,
    coarse: int = ...,
    fine: int = ...,
    p_field: bool = ...,
    level: Literal[1, 2] = ...,
    leap_list: Optional[LeapList] = ...,
    map_leap: Union[bool, ArrayLike] = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Tuple[np.uint32, np.uint64]: ...
@overload
def from_cuc(
    codes: ArrayLike,
    *,
    coarse: int = ...,
    fine: int = ...,
    p_field: bool = ...,
    level: Literal[1, 2] = ...,
    leap_list: Optional[LeapList] = ...,
    map_leap: Union[bool, ArrayLike] = ...,
    errors: Values = ...,
    out: DecodedOut = ...,
    where: Where = ...,
) -> Decoded: ...
@overload
def from_cuc(
    codes: ArrayLike,
    *,
    coarse: int = ...,
    fine: int = ...,
    p_field: bool = ...,
    level: Literal[1, 2] = ...,
    leap_list: Optional[LeapList] = ...,
    map_leap: Union[bool, ArrayLike] = ...,
    errors: Literal["status"],
    out: DecodedOut = ...,
    where: Where = ...,
) -> Tuple[Decoded, Status]: ...
@overload
def to_cds(
    counts: int,
    fraction: Optional[ArrayLike] = ...,
    *,
    day_octets: Literal[2, 3] = ...,
    sub_ms: SubMs = ...,
    epoch: Epoch = ...,
    p_field: bool = ...,
    dtype: Any = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Code: ...
@overload
def to_cds(
    counts: ArrayLike,
    fraction: Optional[ArrayLike] = ...,
    *,
    day_octets: Literal[2, 3] = ...,
    sub_ms: SubMs = ...,
    epoch: Epoch = ...,
    p_field: bool = ...,
    dtype: Any = ...,
    errors: Values = ...,
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Codes: ...
@overload
def to_cds(
    counts: ArrayLike,
    fraction: Optional[ArrayLike] = ...,
    *,
    day_octets: Literal[2, 3] = ...,
    sub_ms: SubMs = ...,
    epoch: Epoch = ...,
    p_field: bool = ...,
    dtype: Any = ...,
    errors: Literal["status"],
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Tuple[Codes, Status]: ...
@overload
def from_cds(
    codes: Union[bytes, bytearray],
    *,
    day_octets: Literal[2, 3] = ...,
    sub_ms: SubMs = ...,
    epoch: Epoch = ...,
    p_field: bool = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Tuple[np.uint32, np.uint64]: ...
@overload
def from_cds(
    codes: ArrayLike,
    *,
    day_octets: Literal[2, 3] = ...,
    sub_ms: SubMs = ...,
    epoch: Epoch = ...,
    p_field: bool = ...,
    errors: Values = ...,
    out: DecodedOut = ...,
    where: Where = ...,
) -> Decoded: ...
@overload
def from_cds(
    codes: ArrayLike,
    *,
    day_octets: Literal[2, 3] = ...,
    sub_ms: SubMs = ...,
    epoch: Epoch = ...,
    p_field: bool = ...,
    errors: Literal["status"],
    out: DecodedOut = ...,
    where: Where = ...,
) -> Tuple[Decoded, Status]: ...
@overload
def to_ccs(
    counts: int,
    fraction: Optional[ArrayLike] = ...,
    *,
    day_of_year: bool = ...,
    sub_second_octets: int = ...,
    p_field: bool = ...,
    dtype: Any = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Code: ...
@overload
def to_ccs(
    counts: ArrayLike,
    fraction: Optional[ArrayLike] = ...,
    *,
    day_of_year: bool = ...,
    sub_second_octets: int = ...,
    p_field: bool = ...,
    dtype: Any = ...,
    errors: Values = ...,
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Codes: ...
@overload
def to_ccs(
    counts: ArrayLike,
    fraction: Optional[ArrayLike] = ...,
    *,
    day_of_year: bool = ...,
    sub_second_octets: int = ...,
    p_field: bool = ...,
    dtype: Any = ...,
    errors: Literal["status"],
    out: Optional[NDArray[Any]] = ...,
    where: Where = ...,
) -> Tuple[Codes, Status]: ...
@overload
def from_ccs(
    codes: Union[bytes, bytearray],
    *,
    day_of_year: bool = ...,
    sub_second_octets: int = ...,
    p_field: bool = ...,
    errors: Values = ...,
    out: None = ...,
    where: Where = ...,
) -> Tuple[np.uint32, np.uint64]: ...
@overload
def from_ccs(
    codes: ArrayLike,
    *,
    day_of_year: bool = ...,
    sub_second_octets: int = ...,
    p_field: bool = ...,
    errors: Values = ...,
    out: DecodedOut = ...,
    where: Where = ...,
) -> Decoded: ...
@overload
def from_ccs(
    codes: ArrayLike,
    *,
    day_of_year: bool = ...,
    sub_second_octets: int = ...,
    p_field: bool = ...,
    errors: Literal["status"],
    out: DecodedOut = ...,
    where: Where = ...,
) -> Tuple[Decoded, Status]: ...
