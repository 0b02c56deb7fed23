"""The numpy ufuncs of sec1996, one per element-wise conversion.

Each is a real ``numpy.ufunc`` made with numpy's C API over the Sec1996 C
library: it broadcasts its arguments (a scalar beside an array costs no
copy), takes ``out=``, any strides and, for the element-wise ones,
``where=``, runs without the GIL (but :data:`from_iso_object`, over Python
objects), and dispatches through ``__array_ufunc__`` (xarray takes the
element-wise ones as they are).  Its last output is an int16 array of
:class:`sec1996.Sec1996ParseStatus` codes, 0 where the element was
converted; :func:`sec1996.status_text` gives the library's words for a code.
Where an element is refused the other outputs hold a fixed value: NaT's
value, zero bytes, zero fields, year 0 with a NaN day, or count 0.

Texts are gufuncs over code units: ``to_iso``/``to_text`` give uint8[20]
(view as ``S20``), ``to_iso_u``/``to_text_u`` uint32[20] (view as ``U20``),
and ``from_iso`` reads uint8 or uint32 code units; ``format_pattern``/
``format_pattern_u`` and ``parse_pattern`` take the pattern as uint8 code
units too, a core dimension of its own.  The CCSDS time codes are gufuncs
over octets and a layout vector: ``to_cuc``/``to_cds``/``to_ccs`` give
uint8[n], ``from_cuc``/``from_cds``/``from_ccs`` read them (and the
``_object`` forms Python bytes), with the fraction as a second output.  The
wrappers of :mod:`sec1996` do those views, pandas, xarray and Dask for you.

>>> import numpy as np
>>> seconds, status = sec1996.ufunc.to_posix(np.arange(47260799, 47260802, dtype=np.uint32))
>>> seconds.view("datetime64[s]")
array(['1997-06-30T23:59:59', '1997-06-30T23:59:59', '1997-07-01T00:00:00'],
      dtype='datetime64[s]')
>>> status
array([0, 0, 0], dtype=int16)
"""

from __future__ import annotations

import numpy as np

from . import _ext

__all__ = [
    "format_pattern",
    "format_pattern_u",
    "from_ccs",
    "from_ccs_object",
    "from_cds",
    "from_cds_object",
    "from_cuc",
    "from_cuc_object",
    "from_cuc_tai",
    "from_cuc_tai_object",
    "from_fields",
    "from_iso",
    "from_iso_object",
    "from_iso_opt",
    "from_iso_opt_object",
    "from_time",
    "from_year_day",
    "is_leap_second",
    "parse_pattern",
    "parse_pattern_object",
    "to_ccs",
    "to_cds",
    "to_cuc",
    "to_cuc_tai",
    "to_fields",
    "to_iso",
    "to_iso_u",
    "to_posix",
    "to_text",
    "to_text_u",
    "to_year_day",
]

# True time (ext/scales.cpp): each takes a leap-second list's id (LeapList.id).
__all__ += [
    "to_tai",
    "to_tt",
    "to_gps",
    "to_gps_week",
    "tai_minus_utc",
    "si_seconds_between",
    "from_tai",
    "from_tt",
    "from_gps",
    "from_gps_week",
]

to_posix: np.ufunc = _ext.to_posix
is_leap_second: np.ufunc = _ext.is_leap_second
to_iso: np.ufunc = _ext.to_iso
to_iso_u: np.ufunc = _ext.to_iso_u
to_text: np.ufunc = _ext.to_text
to_text_u: np.ufunc = _ext.to_text_u
to_fields: np.ufunc = _ext.to_fields
to_year_day: np.ufunc = _ext.to_year_day
from_time: np.ufunc = _ext.from_time
from_iso: np.ufunc = _ext.from_iso
from_iso_object: np.ufunc = _ext.from_iso_object
from_fields: np.ufunc = _ext.from_fields
from_year_day: np.ufunc = _ext.from_year_day
from_iso_opt: np.ufunc = _ext.from_iso_opt
from_iso_opt_object: np.ufunc = _ext.from_iso_opt_object
format_pattern: np.ufunc = _ext.format_pattern
format_pattern_u: np.ufunc = _ext.format_pattern_u
parse_pattern: np.ufunc = _ext.parse_pattern
parse_pattern_object: np.ufunc = _ext.parse_pattern_object

to_tai: np.ufunc = _ext.to_tai
to_tt: np.ufunc = _ext.to_tt
to_gps: np.ufunc = _ext.to_gps
to_gps_week: np.ufunc = _ext.to_gps_week
tai_minus_utc: np.ufunc = _ext.tai_minus_utc
si_seconds_between: np.ufunc = _ext.si_seconds_between
from_tai: np.ufunc = _ext.from_tai
from_tt: np.ufunc = _ext.from_tt
from_gps: np.ufunc = _ext.from_gps
from_gps_week: np.ufunc = _ext.from_gps_week

to_cuc: np.ufunc = _ext.to_cuc
to_cds: np.ufunc = _ext.to_cds
to_ccs: np.ufunc = _ext.to_ccs
from_cuc: np.ufunc = _ext.from_cuc
from_cds: np.ufunc = _ext.from_cds
from_ccs: np.ufunc = _ext.from_ccs
from_cuc_object: np.ufunc = _ext.from_cuc_object
from_cds_object: np.ufunc = _ext.from_cds_object
from_ccs_object: np.ufunc = _ext.from_ccs_object
# CUC level 1 (TAI seconds since 1958): each takes a leap-second list's id too.
to_cuc_tai: np.ufunc = _ext.to_cuc_tai
from_cuc_tai: np.ufunc = _ext.from_cuc_tai
from_cuc_tai_object: np.ufunc = _ext.from_cuc_tai_object
