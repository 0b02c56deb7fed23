"""The containers people bring: dask.array stays lazy, xarray keeps its
dims and coords, pandas keeps its index, Python scalars work."""

import datetime

import dask
import dask.array as da
import numpy as np
import pandas as pd
import sec1996
import xarray as xr
from conftest import LEAP
from sec1996 import ufunc


def test_dask_arrays_stay_lazy_and_compute_chunk_by_chunk():
    counts = da.arange(LEAP - 10, LEAP + 10, chunks=5, dtype=np.int64)
    calls = []

    def counting(block: np.ndarray) -> np.ndarray:
        calls.append(block.shape)
        return block

    times = sec1996.to_datetime64(counts.map_blocks(counting))
    # Building the graph runs nothing on the data (dask probes with empty or
    # one-element blocks to learn the types).
    assert isinstance(times, da.Array) and times.dtype == "datetime64[s]"
    assert (5,) not in calls
    local = counts.compute()
    assert np.array_equal(times.compute(scheduler="synchronous"), sec1996.to_datetime64(local))
    assert calls.count((5,)) == 4
    texts, status = sec1996.to_iso(counts - 2**31, errors="status")
    assert isinstance(texts, da.Array)
    assert np.array_equal(status.compute(), sec1996.to_iso(local - 2**31, errors="status")[1])
    (years, _), status = sec1996.to_year_day(counts, errors="status")  # two values and a status
    assert np.array_equal(years.compute(), sec1996.to_year_day(local)[0]) and not status.any()
    back = sec1996.from_iso(sec1996.to_iso(counts, dtype=str))
    assert np.array_equal(back.compute(), local)
    # The low-level ufuncs through dask's own gufunc machinery.
    seconds, status = da.apply_gufunc(
        ufunc.to_posix, "()->(),()", counts, output_dtypes=[np.int64, np.int16]
    )
    assert np.array_equal(seconds.compute(), ufunc.to_posix(local)[0])


def test_xarray_keeps_dims_and_coords():
    counts = xr.DataArray(
        np.array([[0, LEAP], [LEAP + 1, -1]]),
        dims=("station", "obs"),
        coords={"station": ["a", "b"]},
        name="count",
    )
    times = sec1996.to_datetime64(counts, errors="coerce")
    assert isinstance(times, xr.DataArray) and times.dims == ("station", "obs")
    assert times.coords["station"].values.tolist() == ["a", "b"]
    assert np.isnat(times.values[1, 1]) and times.values[0, 1] == np.datetime64(
        "1997-06-30T23:59:59"
    )
    fixed = sec1996.to_year_day(counts.clip(0), errors="raise")
    assert all(isinstance(part, xr.DataArray) for part in fixed)
    masked = sec1996.is_leap_second(counts, errors="coerce")  # xarray's own rule: NaN where refused
    assert masked.dims == counts.dims and np.isnan(masked.values[1, 1])
    # An element-wise ufunc takes the DataArray as it is.
    seconds, status = ufunc.to_posix(counts)
    assert isinstance(seconds, xr.DataArray) and status.values.tolist() == [[0, 0], [0, 5]]


def test_pandas_series_in_series_out_index_in_index_out():
    series = pd.Series([0, LEAP, LEAP + 1], index=["x", "y", "z"], name="count")
    times = sec1996.to_datetime64(series)
    assert isinstance(times, pd.Series) and times.index.tolist() == ["x", "y", "z"]
    assert (
        times.name == "count" and times.dtype == "datetime64[s]" or times.dtype == "datetime64[ns]"
    )
    index = sec1996.to_datetime64(pd.Index(series))
    assert isinstance(index, pd.DatetimeIndex)
    leap = sec1996.is_leap_second(pd.Index(series))
    assert isinstance(leap, pd.Index) and leap.tolist() == [False, True, False]
    assert sec1996.from_datetime64(index, leap=leap).tolist() == series.tolist()
    frame = sec1996.to_fields(series)
    assert isinstance(frame, pd.DataFrame) and frame.loc["y", "sec"] == 60
    assert sec1996.from_fields(
        frame["year"], frame["mon"], frame["day"], frame["hour"], frame["min"], frame["sec"]
    ).index.tolist() == ["x", "y", "z"]
    texts = sec1996.to_iso(series, dtype=str)
    assert sec1996.from_iso(texts).tolist() == series.tolist()


def test_python_scalars():
    assert sec1996.to_iso(LEAP) == b"1997-06-30T23:59:60Z"
    assert sec1996.to_datetime64(0) == np.datetime64("1996-01-01T00:00:00")
    assert sec1996.from_datetime64(datetime.datetime(1997, 7, 1)) == LEAP + 1
    zone = datetime.timezone(datetime.timedelta(hours=2))
    assert sec1996.from_datetime64(datetime.datetime(1997, 7, 1, 2, tzinfo=zone)) == LEAP + 1
    assert sec1996.from_datetime64([datetime.datetime(1996, 1, 1)]).tolist() == [0]
    assert sec1996.from_datetime64(pd.Timestamp("1997-07-01T00:00:00")) == LEAP + 1
    assert sec1996.from_fields(1997, 6, 30, 23, 59, 60) == LEAP
    assert sec1996.from_iso("1997-06-30T23:59:60Z") == LEAP
    with dask.config.set(scheduler="synchronous"):
        assert sec1996.to_iso(da.from_array([LEAP])).compute()[0] == b"1997-06-30T23:59:60Z"
