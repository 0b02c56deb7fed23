"""Two builds of the package side by side: the same conversions of the same
counts, alternating between them, best of 9 each in CPU time.

    python bench/compare.py BEFORE/src AFTER/src

Each path is a directory holding a built sec1996 package (for example the
python/src of an older commit after `setup.py build_ext --inplace`).  Run
it pinned to one CPU (taskset -c 0) for steadier figures.
"""

import importlib.util
import sys
import time

import numpy as np


def load(path: str, name: str):  # type: ignore[no-untyped-def]
    found = importlib.util.spec_from_file_location(
        name, path + "/sec1996/__init__.py", submodule_search_locations=[path + "/sec1996"]
    )
    module = importlib.util.module_from_spec(found)
    sys.modules[name] = module
    found.loader.exec_module(module)
    return module


old = load(sys.argv[1], "sec1996_before")
new = load(sys.argv[2], "sec1996")
n = 10_000_000
counts = np.random.default_rng(1996).integers(0, 2**32, n, dtype=np.uint32)
wide = counts.astype(np.int64)
view = np.random.default_rng(7).integers(0, 2**32, 2 * n, dtype=np.uint32)[::2]
cases = [
    ("datetime64, uint32", lambda m: m.to_datetime64(counts)),
    ("datetime64, int64", lambda m: m.to_datetime64(wide)),
    ("datetime64, step-2 view", lambda m: m.to_datetime64(view)),
    ("ISO 8601, uint32", lambda m: m.to_iso(counts)),
    ("ISO 8601, int64", lambda m: m.to_iso(wide)),
    ("ISO 8601, step-2 view", lambda m: m.to_iso(view)),
    ("fields", lambda m: m.to_fields(counts)),
]
if hasattr(old, "from_iso"):
    texts = new.to_iso(counts)
    strings, text_view = texts.astype("U20"), new.to_iso(view.base)[::2]
    cases += [
        ("from ISO 8601, S20", lambda m: m.from_iso(texts)),
        ("from ISO 8601, U20", lambda m: m.from_iso(strings)),
        ("from ISO 8601, step-2 view", lambda m: m.from_iso(text_view)),
    ]
print("| conversion | before, M/s | after, M/s | ratio |")
print("|---|---:|---:|---:|")
for name, run in cases:
    best = {"old": 1e9, "new": 1e9}
    for _ in range(9):
        for key, module in (("old", old), ("new", new)):
            start = time.process_time()
            run(module)
            best[key] = min(best[key], time.process_time() - start)
    o, w = n / best["old"] / 1e6, n / best["new"] / 1e6
    print(f"| {name} | {o:,.0f} | {w:,.0f} | {w / o:.2f} |")
