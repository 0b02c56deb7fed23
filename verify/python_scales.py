"""The Python package's true time against ERFA and astropy, both ways, on a
large random sweep: counts uniform over the whole scale, and TAI seconds
uniform over the scale's span (the leap seconds it lacks among them), with
the tests' pinned leap-seconds list.  The UTC labels come from numpy's
calendar.  astropy reads those labels as ISO 8601 text and writes its own
back, with its own leap-second table, on the random counts and on every
second within a day of each leap second since 1996.

    python verify/python_scales.py [--counts N]

Prints two lines, "python true time against ERFA: N values, D differences"
and the same for astropy, and exits 1 on any difference.
"""

import argparse
import sys
import warnings
from pathlib import Path

import erfa
import numpy as np
import sec1996

LEAP = 47260800
EPOCH_POSIX = 820454400
JD_1958 = 2436204.5
GPS_EPOCH_TAI = 694656019
LEAP_DAYS = ["1997-06-30", "1998-12-31", "2005-12-31", "2008-12-31", "2012-06-30", "2015-06-30",
             "2016-12-31"]


def utc_fields(counts):
    c = counts.astype(np.int64)
    t = (c + EPOCH_POSIX - (c >= LEAP)).astype("M8[s]")
    day = t.astype("M8[D]")
    month = day.astype("M8[M]")
    year = month.astype("M8[Y]")
    seconds = (t - day).astype(np.int64) + (c == LEAP)
    return (year.astype(np.int64) + 1970, (month - year).astype(np.int64) + 1,
            (day - month).astype(np.int64) + 1, seconds)


def seconds_of(jd1, jd2):
    return np.round((jd1 - JD_1958) * 86400 + jd2 * 86400).astype(np.int64)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--counts", type=int, default=2_000_000)
    args = parser.parse_args()
    warnings.simplefilter("ignore")  # ERFA's "dubious year", the list's expiry past 2027
    data = Path(__file__).resolve().parents[1] / "tests" / "data" / "leap-seconds.list"
    pinned = sec1996.LeapList.from_file(data)
    rng = np.random.default_rng(1996)
    counts = rng.integers(0, 2**32, args.counts, dtype=np.uint32)
    y, m, d, s = utc_fields(counts)
    h, rest = np.divmod(np.minimum(s, 86399), 3600)
    a1, a2 = erfa.utctai(*erfa.dtf2d("UTC", y, m, d, h, rest // 60, rest % 60 + (s == 86400)))
    tai = seconds_of(a1, a2)
    t1, t2 = erfa.taitt(a1, a2)
    tt = np.round(((t1 - JD_1958) * 86400 + t2 * 86400) * 1000).astype(np.int64)
    dat = erfa.dat(y, m, d, s / 86400.0).astype(np.int32)
    week, second = sec1996.to_gps_week(counts, leap_list=pinned)
    checks = [
        (sec1996.to_tai(counts, leap_list=pinned), tai),
        (sec1996.to_tt(counts, leap_list=pinned), tt),
        (sec1996.to_gps(counts, leap_list=pinned), tai - GPS_EPOCH_TAI),
        (week.astype(np.int64) * 604800 + second, tai - GPS_EPOCH_TAI),
        (sec1996.tai_minus_utc(counts, leap_list=pinned), dat),
        (sec1996.si_seconds_between(counts[:-1], counts[1:], leap_list=pinned), np.diff(tai)),
        (sec1996.from_tai(tai, leap_list=pinned), counts),
        (sec1996.from_tt(tt, leap_list=pinned), counts),
        (sec1996.from_gps(tai - GPS_EPOCH_TAI, leap_list=pinned), counts),
    ]
    # TAI seconds over the span: ERFA's UTC label of each, as a count where
    # the scale has that label (a leap second the scale lacks has none).
    span = seconds_of(*erfa.utctai(*erfa.dtf2d("UTC", [1996, 2132], [1, 2], [1, 7], [0, 6],
                                                [0, 28], [0, 14])))
    values = rng.integers(span[0], span[1] + 1, args.counts)
    # And every second from 23:59:50 to 00:00:10 around each leap second since 1996.
    days = np.array(LEAP_DAYS, "M8[D]")
    ends = np.array([seconds_of(*erfa.utctai(*erfa.dtf2d("UTC", *map(int, str(day).split("-")),
                                                           23, 59, 59.0))) for day in days])
    values = np.concatenate([values, (ends[:, None] + np.arange(-9, 12)).ravel()])
    u1, u2 = erfa.taiutc(JD_1958 + values // 86400, (values % 86400) / 86400.0)
    yy, mm, dd, hmsf = erfa.d2dtf("UTC", 0, u1, u2)
    lacking = (hmsf["s"] == 60) & ~((yy == 1997) & (mm == 6))
    day = ((yy - 1970).astype("M8[Y]").astype("M8[M]") + (mm - 1)).astype("M8[D]") + (dd - 1)
    c = (day.astype("M8[s]").astype(np.int64) - EPOCH_POSIX + hmsf["h"] * 3600 + hmsf["m"] * 60
         + np.minimum(hmsf["s"], 59))
    # Second 60 of 1997 is the scale's own; any other is mapped to the 23:59:59 before it.
    expected = c + (c >= LEAP) + ((hmsf["s"] == 60) & ~lacking)
    back, status = sec1996.from_tai(values, leap_list=pinned, map_leap=True, errors="status")
    checks += [
        (back, expected.astype(np.uint32)),
        (status == sec1996.Sec1996ParseStatus.LEAP_NOT_ON_SCALE, lacking),
    ]
    assert np.count_nonzero(lacking) >= len(LEAP_DAYS) - 1, "the leap seconds are in the sweep"
    failed = report("ERFA", checks)
    return 1 if report("astropy", astropy_checks(counts, values, pinned)) or failed else 0


def report(reference, checks):
    """Prints the differences of (got, want) pairs; true if there are any."""
    differences = sum(int(np.count_nonzero(np.asarray(got) != want)) for got, want in checks)
    total = sum(np.size(want) for _, want in checks)
    print(f"python true time against {reference}: {total} values, {differences} differences")
    return differences != 0


def astropy_checks(counts, values, pinned):
    """counts (with every second within a day of each leap second since 1996)
    to TAI, and the TAI seconds values back to counts, against astropy's Time."""
    from astropy.time import Time
    from astropy.utils import iers

    iers.conf.auto_download = False
    midnights = np.array(LEAP_DAYS, "M8[D]") + 1
    after = midnights.astype("M8[s]").astype(np.int64) - EPOCH_POSIX
    near = (after + (after > LEAP))[:, None] + np.arange(-86400, 86401)
    counts = np.concatenate([counts, near.ravel().astype(np.uint32)])
    c = counts.astype(np.int64)
    labels = np.datetime_as_string((c + EPOCH_POSIX - (c >= LEAP)).astype("M8[s]"))
    labels[c == LEAP] = "1997-06-30T23:59:60"
    tai = Time(labels, format="isot", scale="utc").tai
    checks = [(sec1996.to_tai(counts, leap_list=pinned), seconds_of(tai.jd1, tai.jd2))]
    # Back: astropy's UTC fields of each TAI second, as a count where the
    # scale has that label, the 23:59:59 before it where it does not.
    fields = Time(JD_1958 + values // 86400, (values % 86400) / 86400.0, format="jd",
                  scale="tai").utc.ymdhms
    second = np.round(fields["second"]).astype(np.int64)
    day = ((fields["year"] - 1970).astype("M8[Y]").astype("M8[M]")
           + (fields["month"] - 1)).astype("M8[D]") + (fields["day"] - 1)
    posix = (day.astype("M8[s]").astype(np.int64) + fields["hour"] * 3600 + fields["minute"] * 60
             + np.minimum(second, 59))
    own = (second == 60) & (posix == LEAP - 1 + EPOCH_POSIX)
    lacking = (second == 60) & ~own
    expected = posix - EPOCH_POSIX + (posix - EPOCH_POSIX >= LEAP) + own
    back, status = sec1996.from_tai(values, leap_list=pinned, map_leap=True, errors="status")
    checks += [
        (back, expected.astype(np.uint32)),
        (status == sec1996.Sec1996ParseStatus.LEAP_NOT_ON_SCALE, lacking),
    ]
    assert np.count_nonzero(lacking) >= len(LEAP_DAYS) - 1, "the leap seconds are in the sweep"
    return checks


if __name__ == "__main__":
    sys.exit(main())
