"""The package as a typed caller uses it: this file is run by pytest and
checked by mypy --strict against the shipped stubs (scripts/ci_python.sh)."""

from typing import Tuple

import numpy as np
import sec1996
from numpy.typing import NDArray
from sec1996 import ufunc

LEAP = 47260800


def test_the_stubs_describe_what_the_functions_give() -> None:
    counts: NDArray[np.uint32] = np.array([0, LEAP], np.uint32)
    times: NDArray[np.datetime64] = sec1996.to_datetime64(counts)
    pair: Tuple[NDArray[np.datetime64], NDArray[np.int16]] = sec1996.to_datetime64(
        counts, errors="status"
    )
    leap: NDArray[np.bool_] = sec1996.is_leap_second(counts, errors="coerce")
    texts: NDArray[np.bytes_] = sec1996.to_iso(counts, dtype=bytes)
    one: np.bytes_ | np.str_ = sec1996.to_iso(LEAP)
    records: NDArray[np.void] = sec1996.to_fields(counts)
    years, days = sec1996.to_year_day(counts)
    (years2, days2), status = sec1996.to_year_day(counts, errors="status")
    back: NDArray[np.uint32] = sec1996.from_iso(texts)
    parsed: np.uint32 = sec1996.from_iso("1997-06-30T23:59:60Z")
    written: NDArray[np.bytes_] = sec1996.to_text(counts, format="%Y.%j %T")
    read: NDArray[np.uint32] = sec1996.from_text(written, format=b"%Y.%j %T")
    checked: Tuple[NDArray[np.uint32], NDArray[np.int16]] = sec1996.from_fields(
        records, strict=True, errors="status"
    )
    count: np.uint32 = sec1996.from_fields(1997, 6, 30, 23, 59, 60)
    day_counts: NDArray[np.uint32] = sec1996.from_year_day(years, days, strict=False)
    restored = sec1996.from_datetime64(times, leap=leap, fraction="floor")
    code: int = sec1996.Sec1996ParseStatus.OUT_OF_SPAN
    words: str = sec1996.status_text(code)
    seconds, codes = ufunc.to_posix(counts)
    table: sec1996.LeapList = sec1996.LeapList.default()
    tai: NDArray[np.int64] = sec1996.to_tai(counts, leap_list=table)
    one_tai: np.int64 = sec1996.to_tai(LEAP)
    weeks, week_seconds = sec1996.to_gps_week(counts)
    (weeks2, _), week_status = sec1996.to_gps_week(counts, errors="status")
    span: np.int64 = sec1996.si_seconds_between(0, LEAP)
    from_tai: Tuple[NDArray[np.uint32], NDArray[np.int16]] = sec1996.from_tai(
        tai, map_leap=[True, False], errors="status"
    )
    from_week: NDArray[np.uint32] = sec1996.from_gps_week(weeks, week_seconds, leap_list=table)
    expires: np.datetime64 = table.expires
    assert np.array_equal(pair[0], times) and bool(leap[1]) and one == texts[1]
    assert np.array_equal(back, counts) and parsed == count == LEAP
    assert np.array_equal(read, counts)
    assert np.array_equal(checked[0], counts) and np.array_equal(restored, counts)
    assert np.array_equal(years, years2) and np.array_equal(days, days2) and not status.any()
    assert np.array_equal(day_counts, counts + np.array([0, 1], np.uint32))  # 182.0 in 1997
    assert np.array_equal(from_tai[0], counts) and np.array_equal(from_week, counts)
    assert one_tai == tai[1] and span == LEAP and np.array_equal(weeks, weeks2)
    assert not week_status.any() and expires > np.datetime64("2020-01-01")
    assert words.startswith("outside the scale") and not codes.any() and seconds.dtype == np.int64


def test_the_stubs_describe_the_ccsds_codes() -> None:
    counts: NDArray[np.uint32] = np.array([0, LEAP], np.uint32)
    codes: NDArray[np.void] = sec1996.to_cuc(counts, np.array([0, 1 << 63], np.uint64))
    one = sec1996.to_cds(LEAP, 750_000_000_000, epoch="1996-01-01", sub_ms="ps")
    rows, status = sec1996.to_ccs(counts, day_of_year=True, dtype=np.uint8, errors="status")
    back: Tuple[NDArray[np.uint32], NDArray[np.uint64]] = sec1996.from_cuc(codes, coarse=4)
    (days, picoseconds), checked = sec1996.from_ccs(rows, day_of_year=True, errors="status")
    count, fraction = sec1996.ccsds.from_cds(bytes(one), epoch="1996-01-01", sub_ms="ps")
    assert np.array_equal(back[0], counts) and back[1][1] == 1 << 63 and not status.any()
    assert np.array_equal(days, counts) and not picoseconds.any() and not checked.any()
    assert count == LEAP and fraction == 750_000_000_000
    pinned = sec1996.LeapList.default()
    tai_codes = sec1996.to_cuc(counts, level=1, leap_list=pinned)
    (tai_counts, _), tai_status = sec1996.from_cuc(
        tai_codes, level=1, leap_list=pinned, map_leap=np.array([True, False]), errors="status"
    )
    assert np.array_equal(tai_counts, counts) and not tai_status.any()
