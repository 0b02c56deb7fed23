#!/usr/bin/env bash
# Installs the library into a fresh temporary prefix and checks it as its
# users will see it:
#   - the installed files, the soname and the version;
#   - the shared library exports exactly the public symbols;
#   - a C and a C++ program (tests/consumers) build and pass against the
#     install through find_package(Sec1996), shared and static, and through
#     pkg-config, shared and (C) fully static;
#   - find_package refuses a version the package does not satisfy;
#   - the README's example compiles and prints what the README says, with
#     its commands run exactly as written.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

source scripts/lib/need.sh
need_command cmake
need_command g++
need_command pkg-config
need_command nm binutils
install_needed

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "check_install: FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }

# The one place the version is written.
version=$(sed -n 's/^project(Sec1996 VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in the project() line of CMakeLists.txt"
major=${version%%.*}

# The README installs under "$HOME/.local"; a throw-away HOME makes that the
# temporary prefix, and keeps CMake's user package registry out of the way.
export HOME="$work/home"
mkdir -p "$HOME"
prefix="$HOME/.local"

step "build and install $version into $prefix"
cmake -S "$root" -B "$work/build" -DSEC1996_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" -j2 >/dev/null
# The README's install command, run where its "build" is this build.
readme_section=$(awk '/^## Using the installed library/{on=1; print; next} /^## /{on=0} on' README.md)
[ -n "$readme_section" ] || fail "README has no section '## Using the installed library'"
install_line=$(grep -m1 '^cmake --install build ' <<<"$readme_section") ||
  fail "README shows no 'cmake --install build' line"
(cd "$work" && eval "$install_line") >/dev/null

step "installed files"
pc=$(find "$prefix" -name sec1996.pc)
[ -n "$pc" ] || fail "no sec1996.pc under $prefix"
libdir=$(dirname "$(dirname "$pc")")
for f in "$prefix/include/sec1996.h" "$libdir/libsec1996.a" "$libdir/libsec1996.so" \
  "$libdir/libsec1996.so.$major" "$libdir/libsec1996.so.$version" \
  "$libdir/cmake/Sec1996/Sec1996Config.cmake" "$libdir/cmake/Sec1996/Sec1996ConfigVersion.cmake"; do
  [ -e "$f" ] || fail "missing $f"
done
soname=$(objdump -p "$libdir/libsec1996.so" | awk '$1 == "SONAME" {print $2}')
[ "$soname" = "libsec1996.so.$major" ] || fail "soname is '$soname', not libsec1996.so.$major"
export PKG_CONFIG_LIBDIR="$libdir/pkgconfig"  # only the installed .pc
[ "$(pkg-config --modversion sec1996)" = "$version" ] || fail "pkg-config version is not $version"

step "exported symbols"
expected=$(printf '%s\n' cvtFromSec1996 cvtFromSec1996_yd cvtToSec1996 cvtToSec1996_yd \
  getDateFromSecondsSince1996 getSecondsSince1996FromDate stringDate1996 time_str \
  isLeapSecond1996 cvtFromSec1996_lossless stringDate1996_r getDateFromSecondsSince1996_r \
  stringDate1996_iso parseDate1996_iso parseStatusText1996 cvtFromSec1996_posix \
  cvtToSec1996_posix cvtFromSec1996_lossless_n cvtToSec1996_n cvtFromSec1996_posix_n \
  cvtToSec1996_posix_n stringDate1996_iso_n | sort)
exported=$(nm -D --defined-only "$libdir/libsec1996.so" | awk '{print $3}' | sort)
if [ "$exported" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$exported") >&2 || true
  fail "libsec1996.so exports other symbols than the public ones (< expected, > found)"
fi

consumers="$root/tests/consumers"
links_shared() { readelf -d "$1" | grep -q "NEEDED.*libsec1996\.so\.$major"; }

# cmake_consumer <c|cxx> <shared|static>: configure, build and run one.
cmake_consumer() {
  local lang=$1 variant=$2 dir="$work/consumer-$1-cmake-$2" exe
  local static=OFF
  [ "$variant" = static ] && static=ON
  step "$lang consumer, find_package, $variant"
  cmake -S "$consumers/$lang" -B "$dir" -DCMAKE_PREFIX_PATH="$prefix" \
    -DSec1996_USE_STATIC_LIBS=$static >/dev/null
  grep -q "^Sec1996_DIR:PATH=$libdir/cmake/Sec1996\$" "$dir/CMakeCache.txt" ||
    fail "find_package found a Sec1996 other than the one just installed"
  cmake --build "$dir" >/dev/null
  exe="$dir/consumer_$lang"
  if [ "$variant" = static ]; then
    ! links_shared "$exe" || fail "$exe uses libsec1996.so although static was asked for"
  else
    links_shared "$exe" || fail "$exe does not use libsec1996.so"
  fi
  "$exe"
}
cmake_consumer c shared
cmake_consumer c static
cmake_consumer cxx shared
cmake_consumer cxx static

step "C consumer, pkg-config, shared"
# shellcheck disable=SC2046  # pkg-config's flags are meant to split
cc -std=c11 -Wall -Wextra -Wpedantic -Werror "$consumers/c/consumer.c" \
  $(pkg-config --cflags --libs sec1996) -Wl,-rpath,"$libdir" -o "$work/c-pkgconfig"
links_shared "$work/c-pkgconfig" || fail "c-pkgconfig does not use libsec1996.so"
"$work/c-pkgconfig"

step "C consumer, pkg-config --static, fully static"
# shellcheck disable=SC2046
cc -std=c11 -Wall -Wextra -Wpedantic -Werror -static "$consumers/c/consumer.c" \
  $(pkg-config --cflags --libs --static sec1996) -o "$work/c-pkgconfig-static"
"$work/c-pkgconfig-static"

step "C++ consumer, pkg-config, shared"
# shellcheck disable=SC2046
c++ -std=c++20 -Wall -Wextra -Wpedantic -Werror "$consumers/cxx/consumer.cpp" \
  $(pkg-config --cflags --libs sec1996) -Wl,-rpath,"$libdir" -o "$work/cxx-pkgconfig"
links_shared "$work/cxx-pkgconfig" || fail "cxx-pkgconfig does not use libsec1996.so"
"$work/cxx-pkgconfig"

step "find_package refuses another major version"
if cmake -S "$consumers/c" -B "$work/consumer-version" -DCMAKE_PREFIX_PATH="$prefix" \
  -DSEC1996_MIN_VERSION=$((major + 1)).0 >/dev/null 2>&1; then
  fail "find_package(Sec1996 $((major + 1)).0) accepted version $version"
fi

step "README example"
unset PKG_CONFIG_LIBDIR  # the README's own PKG_CONFIG_PATH must do
# The program is the section's C block, its CMake project the cmake block,
# and every command line of its sh blocks after the install line is run as
# written from the example's directory; each one that runs ./leap or
# ./build/leap must end with the text block's output.
example="$work/readme"
mkdir -p "$example"
fenced() { awk -v lang="$1" '$0 == "```" lang {on=1; next} /^```/{on=0} on' <<<"$readme_section"; }
fenced c >"$example/leap.c"
fenced cmake >"$example/CMakeLists.txt"
want=$(fenced text)
if [ ! -s "$example/leap.c" ] || [ ! -s "$example/CMakeLists.txt" ] || [ -z "$want" ]; then
  fail "README section lacks its c, cmake or text block"
fi
runs=0
while IFS= read -r line; do
  case "$line" in
    '' | '#'* | 'cmake --install '*) continue ;;
    export\ *) eval "$line" ;;
    *)
      echo "\$ $line"
      got=$(cd "$example" && eval "$line") || fail "README command failed: $line"
      if [[ "$line" == *./leap* || "$line" == *./build/leap* ]]; then
        [ "$(tail -n "$(wc -l <<<"$want")" <<<"$got")" = "$want" ] ||
          fail "README command printed '$got', README says '$want': $line"
        runs=$((runs + 1))
      fi
      ;;
  esac
done < <(fenced sh)
[ "$runs" -ge 3 ] || fail "README shows $runs ways to build the example, expected at least 3"

echo "check_install: all passed"
