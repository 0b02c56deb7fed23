"""The conversion spread over Dask worker processes gives, partition by
partition, what one process gives for the whole column."""

import dask.array as da
import dask.dataframe as dd
import numpy as np
import pandas as pd
import sec1996
from conftest import LEAP
from distributed import Client, LocalCluster

COUNTS = 10_000_000
PARTITION = 1_000_000
TIMEOUT = 120  # seconds for each computation on the cluster


def test_local_cluster_matches_one_process():
    # Generated on the workers; the leap second's neighbourhood is a
    # partition of its own.
    random = da.random.RandomState(1996).randint(
        0, 2**32, size=COUNTS, chunks=PARTITION, dtype=np.uint32
    )
    counts = da.concatenate([da.arange(LEAP - 2, LEAP + 3, dtype=np.uint32, chunks=5), random])
    with LocalCluster(
        n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None
    ) as cluster, Client(cluster) as client:
        # The workers import the installed package, as this process does.
        assert set(client.run(lambda: sec1996.__file__).values()) == {sec1996.__file__}
        times = client.compute(sec1996.to_datetime64(counts))  # lazy on the dask array
        # The same as a data frame: a column per conversion, per partition.
        frame = dd.from_dask_array(counts, columns="count").to_frame()
        frame["when"] = frame["count"].map_partitions(
            sec1996.to_datetime64, meta=("when", "datetime64[s]")
        )
        frame["leap"] = frame["count"].map_partitions(sec1996.is_leap_second, meta=("leap", bool))
        leaps = client.compute(frame[frame["leap"]]["when"])
        times, leaps = times.result(timeout=TIMEOUT), leaps.result(timeout=TIMEOUT)
    local = counts.compute(scheduler="synchronous")
    assert len(local) >= COUNTS and counts.npartitions == 11
    assert np.array_equal(times, sec1996.to_datetime64(local))
    assert leaps.tolist() == [pd.Timestamp("1997-06-30T23:59:59")]
