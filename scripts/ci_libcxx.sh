#!/usr/bin/env bash
# CI stage: the clock's tests once more with clang and libc++, whose
# experimental time zone database brings std::chrono::utc_clock.  There
# sec1996_clock_tests checks sec1996::clock::to_utc / from_utc against the
# library's own utc_clock: every second within a day of the leap second and
# 100,000 random counts.  The test does not compile if sec1996.hpp finds no
# utc_clock there.
#
#   scripts/ci_libcxx.sh        # builds in build-libcxx/
#
# Debian's GoogleTest library is built for libstdc++, so GoogleTest is built
# here from Debian's own sources (/usr/src/googletest) for libc++.  And
# Debian's libc++-22-dev brings the headers of libc++ 22 but the shared
# runtime of libc++ 19 (libc++1-19), which lacks symbols the 22 headers call
# (std::__hash_memory): the test links the static libc++ 22 of the same
# package instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

source scripts/lib/need.sh
need_command cmake
need_command clang++-22 clang-22
need_package libc++-22-dev libc++abi-22-dev
need_file /usr/src/googletest/CMakeLists.txt googletest
need_file /usr/share/zoneinfo/leap-seconds.list tzdata
install_needed

build=build-libcxx
flags="-stdlib=libc++ -fexperimental-library"
static_libcxx="-Wl,-Bstatic -lc++experimental -lc++ -lc++abi -Wl,-Bdynamic -lpthread"
gtest="$root/$build/googletest-install"

cmake -S /usr/src/googletest -B "$build/googletest" -DCMAKE_CXX_COMPILER=clang++-22 \
  -DCMAKE_C_COMPILER=clang-22 -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
cmake --build "$build/googletest" -j2 >/dev/null
cmake --install "$build/googletest" >/dev/null

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++-22 -DCMAKE_C_COMPILER=clang-22 \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS=-nostdlib++ \
  -DCMAKE_CXX_STANDARD_LIBRARIES="$static_libcxx" -DCMAKE_PREFIX_PATH="$gtest" \
  -DSEC1996_TEST_STD_UTC_CLOCK=ON \
  -DSEC1996_BUILD_CLI=OFF >/dev/null
grep -q "^GTest_DIR:PATH=$gtest/" "$build/CMakeCache.txt" || {
  echo "ci_libcxx: CMake found a GoogleTest other than the one built for libc++" >&2
  exit 1
}
cmake --build "$build" -j2 --target sec1996_clock_tests
"$build/tests/sec1996_clock_tests"
