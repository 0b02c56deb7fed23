#!/usr/bin/env bash
# Checks the documentation (README.md and docs/*.md) as a reader would walk
# it: the Markdown style, the links and the marks of every fenced block
# (scripts/check_docs.py lint), then every example against the library built
# from this tree and installed into a fresh temporary prefix
# (scripts/check_docs.py run): C and C++ compiled with -Werror through
# pkg-config and run, shell run with the installed bin/ on PATH, Python run
# as doctests, each output compared with the text block after it.
#
#   bash scripts/check_docs.sh [PYTHON]
#
# PYTHON (or $SEC1996_DOCS_PYTHON) is an interpreter with the sec1996
# package installed, such as build/python-venv/bin/python after .ci/run;
# without one the Python examples are skipped, and the run says so.
# Exits non-zero on a broken example, a dead link or an unmarked block.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

source scripts/lib/need.sh
need_command cmake
need_command g++
need_command pkg-config
need_command python3
install_needed

python=${1:-${SEC1996_DOCS_PYTHON:-}}
if [ -n "$python" ]; then
  command -v "$python" >/dev/null || { echo "check_docs: no Python '$python'" >&2; exit 1; }
  python=$(cd "$(dirname "$python")" && pwd)/$(basename "$python")
fi

status=0
python3 scripts/check_docs.py lint || status=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== build and install into $work/prefix"
cmake -S "$root" -B "$work/build" -DSEC1996_BUILD_TESTS=OFF -DSEC1996_BUILD_DRIVER=OFF >/dev/null
cmake --build "$work/build" -j2 >/dev/null
cmake --install "$work/build" --prefix "$work/prefix" >/dev/null
python3 scripts/check_docs.py run --prefix "$work/prefix" ${python:+--python "$python"} || status=1
exit "$status"
