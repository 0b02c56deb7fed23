"""Builds the sec1996 extension from the library's own sources.

The extension compiles every unit of timescale/src together with the numpy
ufuncs (the units of ext/, on numpy's C API and the library's public headers
alone), so the installed package needs no libsec1996 at run time.  The
version is the C library's, taken from the project() line of the root
CMakeLists.txt.  Set SEC1996_WERROR=1 to turn warnings into errors, as
CI does; set SEC1996_BUILD_JOBS to compile in parallel (default 2).
"""

import os
import re
from pathlib import Path

import numpy
from setuptools import Extension, setup

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
LIBRARY = ROOT / "timescale"


def library_version() -> str:
    cmake = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    match = re.search(r"project\s*\(\s*Sec1996\b[^)]*?\bVERSION\s+([0-9][0-9.]*)", cmake)
    if match is None:
        raise RuntimeError(
            "no project(Sec1996 VERSION ...) line in " + str(ROOT / "CMakeLists.txt")
        )
    return match.group(1)


VERSION = library_version()

warnings = ["-Wall", "-Wextra", "-Wpedantic"]
if os.environ.get("SEC1996_WERROR") == "1":
    warnings.append("-Werror")

# Paths relative to this directory, as setuptools wants them; the object
# files then land under build/.
sources = sorted(str(path.relative_to(HERE)) for path in (HERE / "ext").glob("*.cpp")) + [
    os.path.relpath(path, HERE) for path in sorted((LIBRARY / "src").glob("*.cpp"))
]

extension = Extension(
    "sec1996._ext",
    sources=sources,
    # The library's units reach their private headers through these; the
    # ufuncs themselves include only timescale/sec1996.h and sec1996.hpp.
    include_dirs=[
        str(ROOT),
        str(LIBRARY / "src"),
        str(LIBRARY / "sec1996" / "detail"),
        numpy.get_include(),
    ],
    depends=["ext/ufuncs.h"],
    define_macros=[("SEC1996_VERSION", f'"{VERSION}"')],
    extra_compile_args=["-std=c++20", "-O3", "-fvisibility=hidden"] + warnings,
    language="c++",
)


def parallel_compile(jobs: int) -> None:
    """Compiles the sources of an extension in jobs threads."""
    from concurrent.futures import ThreadPoolExecutor

    import distutils.ccompiler as ccompiler

    def compile_parallel(
        self,
        sources,
        output_dir=None,
        macros=None,
        include_dirs=None,
        debug=0,
        extra_preargs=None,
        extra_postargs=None,
        depends=None,
    ):
        macros, objects, extra, pp_opts, build = self._setup_compile(
            output_dir, macros, include_dirs, sources, depends, extra_postargs
        )
        cc_args = self._get_cc_args(pp_opts, debug, extra_preargs)

        def one(obj):
            src, ext = build[obj]
            self._compile(obj, src, ext, cc_args, extra, pp_opts)

        with ThreadPoolExecutor(max_workers=jobs) as pool:
            list(pool.map(one, objects))
        return objects

    ccompiler.CCompiler.compile = compile_parallel


parallel_compile(int(os.environ.get("SEC1996_BUILD_JOBS", "2")))

setup(
    version=VERSION,
    packages=["sec1996"],
    package_dir={"": "src"},
    package_data={"sec1996": ["py.typed", "*.pyi"]},
    ext_modules=[extension],
    zip_safe=False,
)
