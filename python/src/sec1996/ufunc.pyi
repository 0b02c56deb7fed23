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
to_cuc: np.ufunc
to_cds: np.ufunc
to_ccs: np.ufunc
from_cuc: np.ufunc
from_cds: np.ufunc
from_ccs: np.ufunc
from_cuc_object: np.ufunc
from_cds_object: np.ufunc
from_ccs_object: np.ufunc
