"""Throughput and memory of the sec1996 package, of its peers, and of a Dask cluster.

    python bench/bench.py [--counts N] [--peer-counts N] [--dask-counts N]

One core: the process is pinned to one CPU while it converts the same random
counts (uniform over the scale, without the leap second, which astropy's
datetime64 cannot hold) with sec1996, pyerfa and astropy, each timed as the
best of --repeats runs that allocate their own results, as a caller's would.
What each peer computes for the same instants (a count is an SI second, as
TAI counts them, so it enters the peers as TAI or GPS time):

  pyerfa   erfa.taiutc and erfa.d2dtf, the calendar fields with second 60
           on a leap second (also timed alone: "fields only"), then numpy
           makes of them datetime64[s] or the ISO text.
  astropy  Time(gps seconds).utc, then .datetime64 or .isot.

Views: the same conversions, and from_iso, over a step-2 view of twice as many
counts (or texts), against their contiguous twin.  Memory: the peak extra memory of
from_year_day with a scalar year beside --counts days, by tracemalloc (what
numpy and Python allocate) and by the process's peak resident set (VmHWM,
reset through /proc/self/clear_refs), against the result's size.

The peers know every published leap second, the scale only its own one:
from 1999 their dates differ from the scale's by design; the work is the
same.  Then Dask: a LocalCluster with 1 and then 2 worker processes of one
thread converts --dask-counts counts generated on the workers, the results
kept there (nothing is sent back), best of --repeats in wall-clock time.
"""

from __future__ import annotations

import argparse
import os
import time
import uuid
import warnings
from typing import Callable

import numpy as np
import sec1996

LEAP = 47260800
TARGETS = {"datetime64": 1000e6, "ISO 8601": 150e6}  # values per second on one core
PATTERN = "%Y-%m-%d %H:%M:%S"


def best_rate(run: Callable[[], object], n: int, repeats: int, clock=time.process_time) -> float:
    """n / the best time of run(), by default in CPU time: on a machine
    shared with other work, the time this process ran, not waited."""
    best = float("inf")
    for _ in range(repeats):
        start = clock()
        run()
        best = min(best, clock() - start)
    return n / best


def random_counts(n: int, seed: int = 1996) -> np.ndarray:
    counts = np.random.default_rng(seed).integers(0, 2**32, n, dtype=np.uint32)
    counts[counts == LEAP] += 1
    return counts


def peers(counts: np.ndarray, repeats: int) -> dict:
    import erfa
    from astropy.time import Time
    from astropy.utils import iers

    iers.conf.auto_download = False  # no network here; the leap seconds built in suffice

    n = len(counts)
    # 1996-01-01T00:00:00 UTC is 00:00:30 TAI, JD 2450083.5.
    tai1 = np.full(n, 2450083.5)
    gps_epoch = Time("1996-01-01T00:00:00", scale="utc").gps

    def erfa_fields() -> tuple:
        utc1, utc2 = erfa.taiutc(tai1, (counts + 30.0) / 86400.0)
        return erfa.d2dtf("UTC", 0, utc1, utc2)

    def erfa_datetime64() -> np.ndarray:
        # The fields as datetime64[s] by numpy; second 60 reads 59, as in
        # sec1996.  (The UTC quasi-JD itself cannot be scaled to POSIX
        # seconds: on a leap day its fraction is of 86401 seconds.)
        year, mon, day, hmsf = erfa_fields()
        months = ((year - 1970) * 12 + (mon - 1)).astype("datetime64[M]")
        seconds = hmsf["h"] * 3600 + hmsf["m"] * 60 + np.minimum(hmsf["s"], 59)
        return months.astype("datetime64[s]") + (day - 1).astype("timedelta64[D]") + seconds

    def erfa_iso() -> np.ndarray:
        # The fields written as "YYYY-MM-DDTHH:MM:SSZ" by numpy, digit
        # column by digit column: the fastest plain-numpy text.
        year, mon, day, hmsf = erfa_fields()
        text = np.empty((n, 20), np.uint8)
        text[:] = np.frombuffer(b"0000-00-00T00:00:00Z", np.uint8)
        for column, value, width in [
            (0, year, 4),
            (5, mon, 2),
            (8, day, 2),
            (11, hmsf["h"], 2),
            (14, hmsf["m"], 2),
            (17, hmsf["s"], 2),
        ]:
            for digit in range(width - 1, -1, -1):
                text[:, column + digit] += (value % 10).astype(np.uint8)
                value = value // 10
        return text.view("S20").reshape(n)

    def astropy(form: str) -> Callable[[], np.ndarray]:
        return lambda: getattr(Time(gps_epoch + counts.astype(np.float64), format="gps").utc, form)

    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # ERFA's "dubious year" past its table's end
        # Before the peers' next leap second, 1998-12-31T23:59:60, all agree.
        same = counts < sec1996.from_iso("1998-12-31T23:59:59")
        assert np.array_equal(erfa_datetime64()[same], sec1996.to_datetime64(counts[same]))
        assert np.array_equal(erfa_iso()[same], sec1996.to_iso(counts[same]))
        isot = astropy("isot")()[same].astype("S19")
        assert np.array_equal(isot, sec1996.to_iso(counts[same]).astype("S19"))
        return {
            ("datetime64", "pyerfa"): best_rate(erfa_datetime64, n, repeats),
            ("datetime64", "astropy"): best_rate(astropy("datetime64"), n, max(1, repeats // 3)),
            ("ISO 8601", "pyerfa"): best_rate(erfa_iso, n, repeats),
            ("ISO 8601", "pyerfa, fields only"): best_rate(erfa_fields, n, repeats),
            ("ISO 8601", "astropy"): best_rate(astropy("isot"), n, max(1, repeats // 3)),
        }


def dask_rates(n: int, partition: int, repeats: int) -> dict:
    import dask.array as da
    from distributed import Client, LocalCluster, wait

    rates = {}
    for workers in (1, 2):
        with LocalCluster(
            n_workers=workers, threads_per_worker=1, processes=True, dashboard_address=None
        ) as cluster, Client(cluster) as client:
            counts = da.random.RandomState(1996).randint(
                0, 2**32, size=n, chunks=partition, dtype=np.uint32
            )
            counts = client.persist(counts)
            wait(counts)
            for name, function, dtype in [
                ("datetime64", sec1996.to_datetime64, "datetime64[s]"),
                ("ISO 8601", sec1996.to_iso, "S20"),
            ]:

                def run() -> None:
                    # A fresh name each time, or Dask finds the last result.
                    result = client.persist(
                        counts.map_blocks(function, dtype=dtype, name=uuid.uuid4().hex)
                    )
                    wait(result)
                    del result

                run()  # the workers import the package and warm up
                rates[(name, workers)] = best_rate(run, n, repeats, clock=time.perf_counter)
    return rates


def resident_kib(field: str) -> int:
    with open("/proc/self/status", encoding="ascii") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    raise RuntimeError(f"no {field} in /proc/self/status")


def memory(n: int) -> dict:
    """Peak extra bytes of from_year_day(scalar year, n days) beyond its
    result, by tracemalloc and by the resident set."""
    import gc
    import tracemalloc

    days = np.linspace(1.0, 365.0, n)
    result_bytes = n * np.dtype(np.uint32).itemsize
    sec1996.from_year_day(1997, days[:1000])  # warm
    gc.collect()
    tracemalloc.start()
    result = sec1996.from_year_day(1997, days)
    _, traced = tracemalloc.get_traced_memory()
    tracemalloc.stop()
    assert result.nbytes == result_bytes
    del result
    gc.collect()
    with open("/proc/self/clear_refs", "w", encoding="ascii") as clear:
        clear.write("5")  # the peak resident set starts again from the current one
    before = resident_kib("VmRSS")
    result = sec1996.from_year_day(1997, days)
    peak = resident_kib("VmHWM")
    del result
    return {
        "result": result_bytes,
        "tracemalloc": traced - result_bytes,
        "RSS": (peak - before) * 1024 - result_bytes,
    }


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--counts", type=int, default=10_000_000)
    parser.add_argument("--peer-counts", type=int, default=None, help="default: --counts")
    parser.add_argument("--dask-counts", type=int, default=100_000_000)
    parser.add_argument("--dask-partition", type=int, default=5_000_000)
    parser.add_argument("--repeats", type=int, default=7)
    parser.add_argument("--skip-peers", action="store_true")
    parser.add_argument("--skip-dask", action="store_true")
    args = parser.parse_args()

    every_cpu = os.sched_getaffinity(0)
    os.sched_setaffinity(0, {min(every_cpu)})
    counts = random_counts(args.counts)
    wide = counts.astype(np.int64)  # what a pandas column of counts holds
    n = len(counts)

    def rate(run: Callable[[], object]) -> float:
        return best_rate(run, n, args.repeats)

    ours = {
        ("datetime64", "uint32"): rate(lambda: sec1996.to_datetime64(counts)),
        ("datetime64", "int64"): rate(lambda: sec1996.to_datetime64(wide)),
        ("ISO 8601", "uint32"): rate(lambda: sec1996.to_iso(counts)),
        ("ISO 8601", "int64"): rate(lambda: sec1996.to_iso(wide)),
    }
    others = [
        ("fields", lambda: sec1996.to_fields(counts)),
        ("year, day", lambda: sec1996.to_year_day(counts)),
        ("library text", lambda: sec1996.to_text(counts)),
        ("leap mask", lambda: sec1996.is_leap_second(counts)),
    ]
    others.append(("pattern " + PATTERN, lambda: sec1996.to_text(counts, format=PATTERN)))
    # The CCSDS codes in the command's default layouts, each count with a
    # fraction: 2^-64 s units for CUC, picoseconds for CDS.
    rng = np.random.default_rng(301)
    binary = rng.integers(0, 2**64, n, dtype=np.uint64)
    picoseconds = rng.integers(0, 10**12, n, dtype=np.uint64)
    others += [
        ("CUC 4+2", lambda: sec1996.to_cuc(counts, binary)),
        ("CDS 16-bit day, us", lambda: sec1996.to_cds(counts, picoseconds)),
    ]
    times, texts = sec1996.to_datetime64(counts), sec1996.to_iso(counts)
    strings, patterned = texts.astype("U20"), sec1996.to_text(counts, format=PATTERN)
    cuc, cds = sec1996.to_cuc(counts, binary), sec1996.to_cds(counts, picoseconds)
    back = [
        ("from datetime64", times, lambda: sec1996.from_datetime64(times)),
        ("from ISO 8601", texts, lambda: sec1996.from_iso(texts)),
        ("from ISO 8601", strings, lambda: sec1996.from_iso(strings)),
        (
            "from pattern " + PATTERN,
            patterned,
            lambda: sec1996.from_text(patterned, format=PATTERN),
        ),
        ("from CUC 4+2", cuc, lambda: sec1996.from_cuc(cuc)),
        ("from CDS 16-bit day, us", cds, lambda: sec1996.from_cds(cds)),
    ]
    print(
        f"sec1996 {sec1996.__version__}, {n:,} counts, one core (CPU {min(every_cpu)}), "
        f"load average {os.getloadavg()[0]:.2f} at the start\n"
    )
    print("| conversion | input | million values/s | target |")
    print("|---|---|---:|---|")
    for (name, dtype), value in ours.items():
        verdict = "met" if value >= TARGETS[name] else "MISSED"
        print(
            f"| counts to {name} | {dtype} | {value / 1e6:,.1f} "
            f"| {TARGETS[name] / 1e6:.0f} ({verdict}) |"
        )
    for name, given, run in [(name, counts, run) for name, run in others] + back:
        print(f"| {name} | {str(given.dtype).lstrip('<>|=')} | {rate(run) / 1e6:,.1f} | |")
    # True time with the tests' pinned list: most random counts lie past its
    # expiry (2027-06-28), so their warning is part of the work.
    pinned = sec1996.LeapList.from_file(
        os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "leap-seconds.list")
    )
    tai = sec1996.to_tai(counts, leap_list=pinned, errors="status")[0]
    # CUC level 1 with 5 coarse octets, which reach the end of the scale.
    level_1 = {"level": 1, "leap_list": pinned, "coarse": 5}
    cuc_tai = sec1996.to_cuc(counts, binary, errors="status", **level_1)[0]
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", sec1996.LeapListExpiredWarning)
        for name, dtype, run in [
            ("counts to TAI", "uint32", lambda: sec1996.to_tai(counts, leap_list=pinned)),
            ("counts to TAI", "int64", lambda: sec1996.to_tai(wide, leap_list=pinned)),
            ("TAI to counts", "int64", lambda: sec1996.from_tai(tai, leap_list=pinned)),
            ("CUC level 1, 5+2", "uint32", lambda: sec1996.to_cuc(counts, binary, **level_1)),
            ("from CUC level 1, 5+2", "V8", lambda: sec1996.from_cuc(cuc_tai, **level_1)),
        ]:
            print(f"| {name} | {dtype} | {rate(run) / 1e6:,.1f} | |")

    # A step-2 view of 2n counts against its contiguous twin of n.
    view = random_counts(2 * n, seed=7)[::2]
    print("\n| conversion | contiguous, M/s | step-2 view, M/s | view costs | 2x |")
    print("|---|---:|---:|---:|---|")
    texts_view = sec1996.to_iso(random_counts(2 * n, seed=7))[::2]
    for name, function, strided_input in [
        ("datetime64", sec1996.to_datetime64, view),
        ("ISO 8601", sec1996.to_iso, view),
        ("from ISO 8601", sec1996.from_iso, texts_view),
    ]:
        contiguous_input = strided_input.copy()
        contiguous = rate(lambda: function(contiguous_input))
        strided = rate(lambda: function(strided_input))
        verdict = "met" if contiguous / strided <= 2 else "MISSED"
        print(
            f"| {name} | {contiguous / 1e6:,.1f} | {strided / 1e6:,.1f} "
            f"| {contiguous / strided:.2f}x | {verdict} |"
        )

    figures = memory(n)
    limit = figures["result"] + 2**20
    print(f"\nMemory, from_year_day(1997, {n:,} days): result {figures['result'] / 2**20:.1f} MiB")
    print("\n| measured by | peak beyond the result | within 1 MiB |")
    print("|---|---:|---|")
    for by in ("tracemalloc", "RSS"):
        extra = figures[by]
        verdict = "met" if extra + figures["result"] <= limit else "MISSED"
        print(f"| {by} | {extra / 2**10:,.0f} KiB | {verdict} |")

    if not args.skip_peers:
        peer_counts = counts[: args.peer_counts] if args.peer_counts else counts
        rates = peers(peer_counts, args.repeats)
        print(f"\nPeers on {len(peer_counts):,} of the same counts, one core:\n")
        print("| conversion | peer | million values/s | sec1996 (uint32) is faster by |")
        print("|---|---|---:|---:|")
        for (name, peer), value in rates.items():
            factor = ours[(name, "uint32")] / value
            print(f"| {name} | {peer} | {value / 1e6:,.3f} | {factor:,.0f}x |")

    os.sched_setaffinity(0, every_cpu)
    if not args.skip_dask:
        rates = dask_rates(args.dask_counts, args.dask_partition, max(1, args.repeats // 2))
        print(
            f"\nDask LocalCluster, {args.dask_counts:,} counts in partitions of "
            f"{args.dask_partition:,}, {len(every_cpu)} CPUs, "
            f"load average {os.getloadavg()[0]:.2f} at the end:\n"
        )
        print("| conversion | 1 worker, M/s | 2 workers, M/s | ratio |")
        print("|---|---:|---:|---:|")
        for name in ("datetime64", "ISO 8601"):
            one, two = rates[(name, 1)], rates[(name, 2)]
            print(f"| {name} | {one / 1e6:,.1f} | {two / 1e6:,.1f} | {two / one:.2f} |")


if __name__ == "__main__":
    main()
