#!/usr/bin/env python3
"""Turns the benchmark's JSON output into the performance tables of docs/performance.md.

    scripts/bench_report.py BUILD DRIVER_RUNS REPETITIONS

BUILD is the build directory scripts/bench.sh ran the benchmark in (it
reads BUILD/bench.json and runs BUILD/driver/CvtTest and
BUILD/bench/CvtTest_classic); DRIVER_RUNS is how many times each driver
runs for the whole-process CPU time; REPETITIONS is what the benchmark was
given, for the headings.  Prints ns per call of every conversion and its
peers, the ratios to the limit loop and to the classic approach, thread
scaling, the drivers' CPU time, and whether each target was met.
"""
import json
import os, resource, subprocess, sys

build, driver_runs, repetitions = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with open(os.path.join(build, "bench.json")) as f:
    report = json.load(f)

# The best of the repetitions: other work on the machine only ever adds
# time, so the fastest repetition is the one it disturbed least.
cpu = {}      # "conversion/peer" -> least CPU ns per call on one thread
rate = {}     # ("conversion/peer", threads) -> most calls per second
cpu_by_threads = {}  # ("conversion/peer", threads) -> least CPU ns per call
for b in report["benchmarks"]:
    if b.get("run_type") != "iteration":
        continue
    conversion, peer = b["run_name"].split("/")[:2]
    key = (f"{conversion}/{peer}", b["threads"])
    rate[key] = max(rate.get(key, 0.0), b["items_per_second"])
    cpu_by_threads[key] = min(cpu_by_threads.get(key, float("inf")), b["cpu_time"])
for (name, threads), value in cpu_by_threads.items():
    if threads == 1:
        cpu[name] = value

rows = [
    ("from_record", "cvtFromSec1996"),
    ("to_record", "cvtToSec1996"),
    ("from_yd", "cvtFromSec1996_yd"),
    ("to_yd", "cvtToSec1996_yd"),
    ("text", "stringDate1996"),
    ("from_tm", "getDateFromSecondsSince1996"),
    ("to_tm", "getSecondsSince1996FromDate"),
]
peers = ["ours", "hpp", "limit", "call", "classic", "glibc", "hinnant", "erfa"]

def cell(key):
    return f"{cpu[key]:.1f}" if key in cpu else "-"

print(f"ns per call (CPU time, best of {repetitions} repetitions, one thread):\n")
print("| function | " + " | ".join(peers) + " | ours / limit | classic / ours |")
print("|---|" + "---:|" * (len(peers) + 2))
for conversion, name in rows:
    ours = cpu[f"{conversion}/ours"]
    limit = cpu.get(f"{conversion}/limit")
    classic = cpu.get(f"{conversion}/classic")
    print(f"| `{name}` | " + " | ".join(cell(f"{conversion}/{p}") for p in peers) +
          f" | {limit and f'{ours / limit:.2f}' or '-'} | {classic and f'{classic / ours:.0f}' or '-'} |")

# Throughput on two threads over one is 2.0 when the work scales with the
# cores; it needs two idle cores to show.  CPU time per call on two threads
# over one is 1.0 when the threads do not contend, busy machine or not; a
# process-wide lock raises it.
print(f"\nTwo threads against one (best of {repetitions}; 2.0 and 1.0 are perfect):\n")
print("| benchmark | 1 thread, M calls/s | 2 threads, M calls/s | throughput ratio "
      "| CPU per call ratio |")
print("|---|---:|---:|---:|---:|")
for (key, threads), value in sorted(rate.items()):
    if threads == 2:
        one = rate[(key, 1)]
        cpu_ratio = cpu_by_threads[(key, 2)] / cpu_by_threads[(key, 1)]
        print(f"| {key} | {one / 1e6:.1f} | {value / 1e6:.1f} | {value / one:.2f} "
              f"| {cpu_ratio:.2f} |")

def driver_cpu(path, batches=5):
    """CPU seconds (user + system) per run of a driver, output discarded:
    the least over batches of driver_runs / batches runs each."""
    runs = max(1, driver_runs // batches)
    best = float("inf")
    for _ in range(batches):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        for _ in range(runs):
            subprocess.run([path], stdout=subprocess.DEVNULL, check=True)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        spent = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        best = min(best, spent / runs)
    return best

ours_driver = driver_cpu(os.path.join(build, "driver", "CvtTest"))
classic_driver = driver_cpu(os.path.join(build, "bench", "CvtTest_classic"))
empty = driver_cpu("/bin/true")  # what starting any process costs here
print(f"\nCvtTest, whole process, CPU per run (best batch of {driver_runs} runs): "
      f"{ours_driver * 1e3:.2f} ms; classic driver {classic_driver * 1e3:.2f} ms; "
      f"ratio {classic_driver / ours_driver:.1f} "
      f"(an empty process, /bin/true, costs {empty * 1e3:.2f} ms)")

def check(label, value, ok):
    print(f"  {'met   ' if ok else 'MISSED'}  {label}: {value}")

print("\nTargets:")
ratio = lambda a, b: cpu[a] / cpu[b]
for conversion, name in rows[:2]:
    r = ratio(f"{conversion}/ours", f"{conversion}/limit")
    check(f"{name} <= 1.3 x limit", f"{r:.2f}", r <= 1.3)
r = ratio("to_record/hpp", "to_record/limit")
check("sec1996.hpp from_record <= 1.2 x limit", f"{r:.2f}", r <= 1.2)
for conversion, name in rows[:2]:
    r = ratio(f"{conversion}/classic", f"{conversion}/ours")
    check(f"{name} >= 15 x faster than classic", f"{r:.0f}", r >= 15)
for conversion, name in rows[2:5]:
    r = ratio(f"{conversion}/classic", f"{conversion}/ours")
    check(f"{name} >= 10 x faster than classic", f"{r:.0f}", r >= 10)
for conversion, name in rows[:5]:
    for peer in ("hinnant", "erfa"):
        key = f"{conversion}/{peer}"
        if key in cpu:
            r = ratio(key, f"{conversion}/ours")
            check(f"{name} faster than {peer}", f"{r:.1f} x", r > 1)
for (key, threads), value in sorted(rate.items()):
    if threads == 2 and key.endswith("/ours"):
        r = value / rate[(key, 1)]
        check(f"{key} two threads ~ twice one", f"{r:.2f}", r >= 1.8)
r = classic_driver / ours_driver
check("CvtTest CPU >= 5 x less than classic", f"{r:.1f}", r >= 5)

# The array forms (bench/bulk_bench.cpp), when they were run: ns per value.
bulk_path = os.path.join(build, "bulk.json")
if os.path.exists(bulk_path):
    with open(bulk_path) as f:
        bulk = {}
        for b in json.load(f)["benchmarks"]:
            if b.get("run_type") == "iteration":
                key = b["run_name"]
                bulk[key] = min(bulk.get(key, float("inf")), 1e9 / b["items_per_second"])
    print("\nArray forms, ns per value over 16384 values (best of "
          f"{repetitions} repetitions, one thread):\n")
    print("| conversion | array | single-value calls | memcpy of the same bytes | single / array |")
    print("|---|---:|---:|---:|---:|")
    names = [("countsToRecords", "`cvtFromSec1996_lossless_n`"),
             ("recordsToCounts", "`cvtToSec1996_n`"),
             ("countsToPosix", "`cvtFromSec1996_posix_n`"),
             ("posixToCounts", "`cvtToSec1996_posix_n`"),
             ("countsToIso", "`stringDate1996_iso_n`")]
    for key, name in names:
        fmt = lambda k: f"{bulk[k]:.2f}" if k in bulk else "-"
        print(f"| {name} | {fmt(key + '/array')} | {fmt(key + '/single')} | "
              f"{fmt(key + '/memcpy')} | {bulk[key + '/single'] / bulk[key + '/array']:.1f} |")
    print("\nArray targets:")
    for key, name, target in [("countsToRecords", "counts to records", 1.5),
                              ("countsToPosix", "counts to POSIX seconds", 0.5),
                              ("recordsToCounts", "records to counts", 2.0)]:
        value = bulk[key + "/array"]
        check(f"{name} <= {target} ns per value", f"{value:.2f}", value <= target)
