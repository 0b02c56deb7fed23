"""True time (sec1996.scales) against ERFA and astropy, which know every
published leap second, on the pinned list of tests/data (tzdata 2026f's
leap-seconds.list and three broken copies of it).  The reference labels
come from numpy's calendar, not from the library."""

import doctest
import os
import pickle
import subprocess
import sys
import warnings
from pathlib import Path

import dask.array as da
import erfa
import numpy as np
import pandas as pd
import pytest
import sec1996
import xarray as xr
from conftest import EPOCH, EPOCH_POSIX, LAST, LEAP, posix_of
from sec1996 import LeapListError, LeapListExpiredWarning, ufunc

DATA = Path(__file__).resolve().parents[2] / "tests" / "data"
PINNED = sec1996.LeapList.from_file(DATA / "leap-seconds.list")
S = sec1996.Sec1996ParseStatus
JD_1958 = 2436204.5
# The 23:59:59 before each real leap second since 1996, as UTC labels.
LEAP_DAYS = ["1997-06-30", "1998-12-31", "2005-12-31", "2008-12-31", "2012-06-30", "2015-06-30",
             "2016-12-31"]


def utc_fields(counts):
    """The UTC label of each count by numpy's calendar: POSIX seconds, and
    second 60 on the scale's own leap second."""
    t = EPOCH + (posix_of(counts) - EPOCH_POSIX).astype("m8[s]")
    day = t.astype("M8[D]")
    month = day.astype("M8[M]")
    year = month.astype("M8[Y]")
    seconds = (t - day).astype(np.int64) + (counts == LEAP)
    return (year.astype(np.int64) + 1970, (month - year).astype(np.int64) + 1,
            (day - month).astype(np.int64) + 1, seconds)


def erfa_seconds(jd1, jd2):
    return np.round((jd1 - JD_1958) * 86400 + jd2 * 86400).astype(np.int64)


def erfa_utc(y, m, d, seconds):
    h, rest = np.divmod(np.minimum(seconds, 86399), 3600)
    return erfa.dtf2d("UTC", y, m, d, h, rest // 60, rest % 60 + (seconds == 86400))


def erfa_tai(counts):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", erfa.ErfaWarning)  # "dubious year" past its table
        return erfa_seconds(*erfa.utctai(*erfa_utc(*utc_fields(counts))))


def around_leap_seconds():
    last = sec1996.from_iso([f"{day}T23:59:59" for day in LEAP_DAYS])
    return np.unique(np.concatenate([np.arange(c - 86400, c + 86402) for c in last])).astype(
        np.uint32)


GPS_EPOCH_TAI = 694656019  # 1980-01-06T00:00:00 UTC, TAI - UTC = 19 s


def test_every_second_near_each_leap_second_matches_erfa_both_ways():
    counts = around_leap_seconds()
    y, m, d, seconds = utc_fields(counts)
    u1, u2 = erfa_utc(y, m, d, seconds)
    a1, a2 = erfa.utctai(u1, u2)
    tai = erfa_seconds(a1, a2)
    t1, t2 = erfa.taitt(a1, a2)
    tt = np.round(((t1 - JD_1958) * 86400 + t2 * 86400) * 1000).astype(np.int64)
    dat = erfa.dat(y, m, d, seconds / 86400.0).astype(np.int32)
    gps = tai - GPS_EPOCH_TAI
    assert np.array_equal(sec1996.to_tai(counts, leap_list=PINNED), tai)
    assert np.array_equal(sec1996.to_tt(counts, leap_list=PINNED), tt)
    assert np.array_equal(sec1996.to_gps(counts, leap_list=PINNED), gps)
    assert np.array_equal(sec1996.tai_minus_utc(counts, leap_list=PINNED), dat)
    week, second = sec1996.to_gps_week(counts, leap_list=PINNED)
    assert np.array_equal(week.astype(np.int64) * 604800 + second, gps)
    assert np.array_equal(sec1996.si_seconds_between(counts[:-1], counts[1:], leap_list=PINNED),
                          np.diff(tai))
    for function, values in [(sec1996.from_tai, (tai,)), (sec1996.from_tt, (tt,)),
                             (sec1996.from_gps, (gps,)), (sec1996.from_gps_week, (week, second))]:
        assert np.array_equal(function(*values, leap_list=PINNED), counts), function.__name__
    # The leap seconds the scale lacks: a TAI each, no count.
    lacking = sec1996.from_iso([f"{day}T23:59:59" for day in LEAP_DAYS[1:]])
    y, m, d, _ = utc_fields(lacking)
    tai = erfa_seconds(*erfa.utctai(*erfa.dtf2d("UTC", y, m, d, 23, 59, 60.0)))
    assert np.array_equal(np.diff(sec1996.to_tai([lacking, lacking + 1], leap_list=PINNED),
                                  axis=0)[0], [2] * len(lacking))
    counts, status = sec1996.from_tai(tai, leap_list=PINNED, errors="status")
    assert (status == S.LEAP_NOT_ON_SCALE).all() and not counts.any()
    assert np.array_equal(sec1996.from_tai(tai, leap_list=PINNED, map_leap=True), lacking)


def test_random_counts_match_erfa_both_ways():
    counts = np.random.default_rng(2026).integers(0, 2**32, 20_000, dtype=np.uint32)
    tai = erfa_tai(counts)
    with pytest.warns(LeapListExpiredWarning):  # the counts past 2027-06-28
        assert np.array_equal(sec1996.to_tai(counts, leap_list=PINNED), tai)
    with pytest.warns(LeapListExpiredWarning):
        assert np.array_equal(sec1996.from_tai(tai, leap_list=PINNED), counts)


def test_fixed_points():
    with pytest.warns(LeapListExpiredWarning, match="1 value"):
        span = sec1996.si_seconds_between(0, LAST, leap_list=PINNED)
    ends = erfa_tai(np.array([0, LAST], np.uint32))
    assert span == 4294967301 == ends[1] - ends[0]
    from astropy.time import Time
    from astropy.utils import iers

    iers.conf.auto_download = False
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # astropy's own table's age
        gps = Time("2026-12-09T00:00:00", scale="utc").gps
    count = sec1996.from_iso("2026-12-09T00:00:00")
    assert sec1996.to_gps_week(count, leap_list=PINNED) == divmod(int(gps), 604800)
    assert sec1996.from_gps_week(*divmod(int(gps), 604800), leap_list=PINNED) == count


def test_astropy_times_both_ways():
    from astropy.time import Time

    counts = around_leap_seconds()[::997]
    labels = sec1996.to_iso(counts, dtype=str)
    times = sec1996.to_astropy_time(counts, leap_list=PINNED)
    assert times.scale == "tai" and times.shape == counts.shape
    assert times.utc.isot.tolist() == [label[:-1] + ".000" for label in labels]
    assert np.array_equal(sec1996.from_astropy_time(Time(labels, scale="utc"), leap_list=PINNED),
                          counts)
    odd = Time(["2016-12-31T23:59:60", "2000-01-01T00:00:00.5", "2000-01-01T00:00:00.000000001"],
               scale="utc")
    counts, status = sec1996.from_astropy_time(odd, leap_list=PINNED, errors="status")
    assert status.tolist() == [S.LEAP_NOT_ON_SCALE, S.FRACTION, S.OK]
    floored = sec1996.from_astropy_time(odd[1:], leap_list=PINNED, fraction="floor")
    assert floored.tolist() == [sec1996.from_iso("2000-01-01T00:00:00")] * 2
    assert sec1996.from_astropy_time(odd[0], leap_list=PINNED, map_leap=True) == 662774400


# (file or text, status, line, words of the message)
STEP = b"#@ 3802291200\n3029443200 30\n3076704000 32\n"
BAD_LISTS = [
    ("leap-seconds-malformed.list", S.LIST_SYNTAX, 113,
     "leap-seconds-malformed.list:113: '3x' is not TAI-UTC seconds"),
    ("leap-seconds-badhash.list", S.LIST_HASH, 0, "hash does not match"),
    ("no-such.list", S.LIST_NOT_FOUND, 0, "no-such.list: cannot open: No such file"),
    (STEP, S.LIST_STEP, 3, "broken:3: TAI-UTC steps from 30 to 32"),
]


def unique_list():
    """A new list each call: an expiry no other list has."""
    unique_list.expiry += 86400
    text = f"#@ {unique_list.expiry}\n3029443200 30\n3076704000 31\n"
    return sec1996.LeapList.from_bytes(text.encode())


unique_list.expiry = 4100000000 - 4100000000 % 86400


@pytest.mark.parametrize("source, status, line, words", BAD_LISTS)
def test_bad_lists_are_refused_with_the_library_message_and_nothing_kept(source, status, line,
                                                                         words):
    before = unique_list().id
    with pytest.raises(LeapListError) as error:
        if isinstance(source, bytes):
            sec1996.LeapList.from_bytes(source, name="broken")
        else:
            sec1996.LeapList.from_file(DATA / source)
    assert words in str(error.value) and error.value.status == status and error.value.line == line
    assert unique_list().id == before + 1  # the refused list took no id


def test_an_expired_list_still_converts_with_a_warning_and_status_16():
    expired = sec1996.LeapList.from_file(str(DATA / "leap-seconds-expired.list"))
    assert expired.expired and not PINNED.expired and expired.expires == np.datetime64("2020-06-28")
    june2020 = sec1996.from_iso("2020-06-28T00:00:00")
    counts = np.array([june2020 - 1, june2020, june2020 + 1])
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        before = sec1996.to_tai(counts[:1], leap_list=expired)
    for errors in ["raise", "coerce"]:
        with pytest.warns(LeapListExpiredWarning, match="2 value.*2020-06-28"):
            tai = sec1996.to_tai(counts, leap_list=expired, errors=errors)
        assert np.array_equal(tai, sec1996.to_tai(counts, leap_list=PINNED)), errors
        assert not np.ma.getmaskarray(tai).any() and tai[0] == before[0]
        with pytest.warns(LeapListExpiredWarning):
            assert np.array_equal(sec1996.from_tai(tai, leap_list=expired, errors=errors), counts)
    tai, status = sec1996.to_tai(counts, leap_list=expired, errors="status")
    assert status.tolist() == [0, S.LIST_EXPIRED, S.LIST_EXPIRED]


def test_a_leap_second_the_scale_lacks_is_refused_or_mapped_per_element():
    tai = np.array([1861920035, 1861920036, 1861920037])  # 2016-12-31T23:59:59, :60, 2017
    expected = [662774400, 662774400, 662774401]
    with pytest.raises(ValueError, match=r"at index 1 .*does not count; map_leap=True"):
        sec1996.from_tai(tai, leap_list=PINNED)
    assert sec1996.from_tai(tai, leap_list=PINNED, map_leap=True).tolist() == expected
    masked = sec1996.from_tai(tai, leap_list=PINNED, map_leap=[False, False, True],
                              errors="coerce")
    assert masked.mask.tolist() == [False, True, False]
    counts, status = sec1996.from_tai(tai, leap_list=PINNED, map_leap=True, errors="status")
    assert counts.tolist() == expected and status.tolist() == [0, S.LEAP_NOT_ON_SCALE, 0]
    tt = (tai[1] * 1000 + 32184, tai[1] * 1000 + 32185)
    assert sec1996.from_tt(tt, leap_list=PINNED, map_leap=True, errors="status")[1].tolist() == [
        S.LEAP_NOT_ON_SCALE, S.FRACTION]
    assert sec1996.from_gps(tai[1] - GPS_EPOCH_TAI, leap_list=PINNED, map_leap=True) == expected[1]
    with pytest.raises(ValueError, match=r"second\) at index 1 .*0 to 604799"):
        sec1996.from_gps_week(1930, [18, 604800])
    with pytest.raises(TypeError, match="map_leap must be bool"):
        sec1996.from_tai(tai, map_leap=1)
    with pytest.raises(TypeError, match="TAI must have an integer dtype, not dtype float64"):
        sec1996.from_tai(1.5e9)


def test_the_raw_ufuncs_refuse_an_unknown_list_id_without_crashing():
    # Below 0, beyond the registry's last id, beyond its capacity, beyond int32.
    ids = np.array([0, PINNED.id, -1, 60000, 10**6, 2**62, 0])
    tai, status = ufunc.to_tai(np.zeros(7, np.uint32), ids)
    assert status.tolist() == [0, 0, 21, 21, 21, 21, 0]
    assert tai.tolist() == [1199145630] * 2 + [0] * 4 + [1199145630]
    counts, status = ufunc.from_tai(1199145631, ids[::-1], True)
    assert status.tolist() == [0, 21, 21, 21, 21, 0, 0]
    assert counts.tolist() == [1, 0, 0, 0, 0, 1, 1]
    assert ufunc.si_seconds_between(0, 1, -5)[1] == 21
    assert ufunc.from_gps_week(0, 0, 7**9, False)[1] == 21
    with pytest.raises(TypeError):
        sec1996.to_tai(0, leap_list=PINNED.id)


def test_the_default_table_says_where_it_came_from():
    code = ("import warnings, sec1996\n"
            "with warnings.catch_warnings(record=True) as w:\n"
            "    warnings.simplefilter('always')\n"
            "    t = sec1996.LeapList.default()\n"
            "    sec1996.to_tai(0)\n"
            "print(t.source, t.origin, [type(x.message).__name__ for x in w], t.fallback)\n")

    def run(path):
        env = {**os.environ, "SEC1996_LEAP_SECONDS": str(path)}
        return subprocess.run([sys.executable, "-c", code], env=env, capture_output=True,
                              text=True, check=True).stdout
    missing = run(DATA / "no-such.list")
    assert missing.startswith("builtin built-in ['LeapListFallbackWarning'] ")
    assert "no-such.list: cannot open: No such file or directory (the built-in list is used)" in (
        missing
    )
    assert run(DATA / "leap-seconds.list") == f"env_file {DATA / 'leap-seconds.list'} [] None\n"


def test_lists_are_immutable_shared_and_pickle():
    again = sec1996.LeapList.from_file(DATA / "leap-seconds.list")
    assert again == PINNED and again.id == PINNED.id and hash(again) == hash(PINNED)
    assert pickle.loads(pickle.dumps(PINNED)) == PINNED
    assert PINNED.source == "file" and PINNED.hash_checked
    assert PINNED.updated == np.datetime64("2026-07-06T07:44:57")
    entries = PINNED.entries
    assert len(entries) == 28 and entries[-1].tolist() == (np.datetime64("2017-01-01"),
                                                           3692217600, 37)
    with pytest.raises(ValueError):
        entries["tai_minus_utc"][0] = 0
    with pytest.raises(AttributeError):
        PINNED.source = "x"
    with pytest.raises(TypeError, match="use LeapList.from_file"):
        sec1996.LeapList()


def test_a_path_that_is_not_utf8_is_its_origin(tmp_path):
    path = os.path.join(os.fsencode(tmp_path), b"leap-\xe9.list")
    with open(path, "wb") as f:
        f.write((DATA / "leap-seconds.list").read_bytes())
    assert sec1996.LeapList.from_file(path).origin == os.fsdecode(path)


def test_containers_and_out():
    series = pd.Series([0, LEAP], index=["a", "b"])
    tai = sec1996.to_tai(series, leap_list=PINNED)
    assert isinstance(tai, pd.Series) and tai.index.tolist() == ["a", "b"]
    lazy = sec1996.from_tai(da.from_array(tai.to_numpy(), chunks=1), leap_list=PINNED,
                            map_leap=da.from_array(np.array([True, False]), chunks=1))
    assert isinstance(lazy, da.Array) and lazy.compute().tolist() == [0, LEAP]
    weeks = sec1996.to_gps_week(da.from_array(series.to_numpy(), chunks=1), errors="status")
    assert weeks[1].compute().tolist() == [0, 0]
    grid = xr.DataArray([[0, LEAP]], dims=("station", "obs"))
    tai = sec1996.to_tai(grid, leap_list=PINNED, errors="coerce")
    assert isinstance(tai, xr.DataArray) and tai.dims == grid.dims
    out = np.full(2, 7, np.int64)
    sec1996.to_tai([0, LEAP], leap_list=PINNED, out=out, where=[False, True])
    assert out.tolist() == [7, 1246406430]


def test_without_astropy_the_bridge_says_what_to_install(monkeypatch):
    monkeypatch.setitem(sys.modules, "astropy.time", None)  # as if not installed
    with pytest.raises(ImportError, match="needs astropy.*python3-astropy"):
        sec1996.to_astropy_time([0])


def test_the_docstring_examples_run():
    result = doctest.testmod(sec1996.scales, extraglobs={"np": np, "sec1996": sec1996},
                             optionflags=doctest.NORMALIZE_WHITESPACE)
    assert result.attempted > 10 and result.failed == 0
