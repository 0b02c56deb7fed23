#!/usr/bin/env bash
# The Python package (python/): built from Debian's packages alone into a
# venv under build/, then its tests (the doctests of its docstrings and of
# docs/python.md among them) and mypy --strict over its stubs as the tests
# use them.  pytest's exit code 5 (no tests collected) is a failure here.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/lib/need.sh
need_package python3-dev python3-numpy python3-pandas python3-dask python3-distributed \
  python3-xarray python3-hypothesis python3-pytest python3-setuptools python3-venv \
  python3-pip python3-astropy python3-erfa mypy
install_needed

rm -rf build/python-venv
/usr/bin/python3 -m venv --system-site-packages build/python-venv
SEC1996_WERROR=1 build/python-venv/bin/pip install -q --no-build-isolation --no-index ./python
py_status=0
(cd build && python-venv/bin/python -m pytest -q -p no:cacheprovider ../python/tests) || py_status=$?
if [ "$py_status" -eq 5 ]; then
  echo "pytest collected no Python tests" >&2
  exit 1
fi
[ "$py_status" -eq 0 ] || exit "$py_status"

# The package's true time against ERFA and astropy over two million random values and
# every second near each leap second (the scales stage of verify.sh runs it
# too, when this venv already exists).
build/python-venv/bin/python verify/python_scales.py

# The stubs against the tests' usage, from outside the source tree so that
# mypy reads the installed package and its py.typed.
(cd build && python-venv/bin/python -m mypy --strict --no-incremental --cache-dir=/dev/null \
  ../python/tests/test_typing.py)

# No Python line over 100 columns.
if awk 'length > 100 { print FILENAME ":" FNR ": " length " columns"; bad = 1 } END { exit !bad }' \
  $(git ls-files 'python/*.py' 'python/*.pyi'); then
  exit 1
fi
