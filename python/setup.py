"""Builds the sec1996 extension from the library's own sources.

The extension compiles every unit of timescale/src together with the binding
(ext/sec1996_ext.cpp), so the installed package needs no libsec1996 at run
time.  The version is the C library's, taken from the project() line of the
root CMakeLists.txt.  Set SEC1996_WERROR=1 to turn warnings into errors, as
CI does; set SEC1996_BUILD_JOBS to compile in parallel (default 2).
"""

import os
import re
from pathlib import Path

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension
from setuptools import setup

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
LIBRARY = ROOT / "timescale"


def library_version() -> str:
    cmake = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    match = re.search(r"project\s*\(\s*Sec1996\b[^)]*?\bVERSION\s+([0-9][0-9.]*)", cmake)
    if match is None:
        raise RuntimeError("no project(Sec1996 VERSION ...) line in " + str(ROOT / "CMakeLists.txt"))
    return match.group(1)


VERSION = library_version()

warnings = ["-Wall", "-Wextra", "-Wpedantic"]
if os.environ.get("SEC1996_WERROR") == "1":
    warnings.append("-Werror")

# Paths relative to this directory, as setuptools wants them; the object
# files then land under build/.
sources = ["ext/sec1996_ext.cpp"] + [
    os.path.relpath(path, HERE) for path in sorted((LIBRARY / "src").glob("*.cpp"))
]

extension = Pybind11Extension(
    "sec1996._ext",
    sources=sources,
    # The library's units reach their private headers through these; the
    # binding itself includes only timescale/sec1996.h.
    include_dirs=[str(ROOT), str(LIBRARY / "src"), str(LIBRARY / "sec1996" / "detail")],
    define_macros=[("SEC1996_VERSION", f'"{VERSION}"')],
    extra_compile_args=["-O3"] + warnings,
    cxx_std=20,
)

ParallelCompile("SEC1996_BUILD_JOBS", default=2).install()

setup(
    version=VERSION,
    packages=["sec1996"],
    package_dir={"": "src"},
    package_data={"sec1996": ["py.typed", "*.pyi"]},
    ext_modules=[extension],
    zip_safe=False,
)
