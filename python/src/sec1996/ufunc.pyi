# Type stubs of sec1996.ufunc: each is a numpy ufunc whose last output is
# the int16 status.
import numpy as np

to_posix: np.ufunc
is_leap_second: np.ufunc
to_iso: np.ufunc
to_iso_u: np.ufunc
to_text: np.ufunc
to_text_u: np.ufunc
to_fields: np.ufunc
to_year_day: np.ufunc
from_time: np.ufunc
from_iso: np.ufunc
from_iso_object: np.ufunc
from_fields: np.ufunc
from_year_day: np.ufunc
format_pattern: np.ufunc
format_pattern_u: np.ufunc
parse_pattern: np.ufunc
parse_pattern_object: np.ufunc
from_iso_opt: np.ufunc
from_iso_opt_object: np.ufunc

# True time: the list's id is the second input (the third of si_seconds_between).
to_tai: np.ufunc
to_tt: np.ufunc
to_gps: np.ufunc
to_gps_week: np.ufunc
tai_minus_utc: np.ufunc
si_seconds_between: np.ufunc
from_tai: np.ufunc
from_tt: np.ufunc
from_gps: np.ufunc
from_gps_week: np.ufunc

to_cuc: np.ufunc
to_cds: np.ufunc
to_ccs: np.ufunc
from_cuc: np.ufunc
from_cds: np.ufunc
from_ccs: np.ufunc
from_cuc_object: np.ufunc
from_cds_object: np.ufunc
from_ccs_object: np.ufunc
to_cuc_tai: np.ufunc
from_cuc_tai: np.ufunc
from_cuc_tai_object: np.ufunc
