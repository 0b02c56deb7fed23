#!/usr/bin/env bash
# Installs the library into a fresh temporary prefix and checks it as its
# users will see it:
#   - the installed files, the soname and the version;
#   - the shared library exports exactly the public symbols;
#   - a C and a C++ program (tests/consumers) build and pass against the
#     install through find_package(Sec1996), shared and static, and through
#     pkg-config, shared and (C) fully static;
#   - find_package refuses a version the package does not satisfy;
#   - the static archive needs nothing beyond the C library: nm -u lists
#     only symbols glibc defines, and a C program links all of it with cc;
#   - a parent project (tests/consumers/parent) takes the library in by
#     find_package, add_subdirectory and FetchContent with one source: in the
#     last two its build type and flags stay its own, its ctest and its
#     install hold only its own, and it configures without GoogleTest;
#   - docs/install.md's example compiles and prints what the page says,
#     with its commands run exactly as written, and its first command (the
#     README's too) builds and runs CvtTest where GoogleTest cannot be found.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

source scripts/lib/need.sh
need_command cmake
need_command g++
need_command pkg-config
need_command nm binutils
need_package libhowardhinnant-date-dev  # the date bridge's consumer
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

# docs/install.md installs under "$HOME/.local"; a throw-away HOME makes that
# the temporary prefix, and keeps CMake's user package registry out of the way.
export HOME="$work/home"
mkdir -p "$HOME"
prefix="$HOME/.local"

step "build and install $version into $prefix"
cmake -S "$root" -B "$work/build" -DSEC1996_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" -j2 >/dev/null
# The page's install command, run where its "build" is this build.
guide=docs/install.md
section=$(awk '/^## Using the installed library/{on=1; print; next} /^## /{on=0} on' "$guide")
[ -n "$section" ] || fail "$guide has no section '## Using the installed library'"
install_line=$(grep -m1 '^cmake --install build ' <<<"$section") ||
  fail "$guide shows no 'cmake --install build' line"
(cd "$work" && eval "$install_line") >/dev/null

step "installed files"
pc=$(find "$prefix" -name sec1996.pc)
[ -n "$pc" ] || fail "no sec1996.pc under $prefix"
libdir=$(dirname "$(dirname "$pc")")
for f in "$prefix/include/sec1996.h" "$prefix/include/sec1996_ccsds.h" "$prefix/include/sec1996_scales.h" "$prefix/include/sec1996_scales.hpp" "$libdir/libsec1996.a" "$libdir/libsec1996.so" \
  "$libdir/libsec1996.so.$major" "$libdir/libsec1996.so.$version" \
  "$libdir/cmake/Sec1996/Sec1996Config.cmake" "$libdir/cmake/Sec1996/Sec1996ConfigVersion.cmake" \
  "$prefix/share/doc/sec1996/LICENSE" "$prefix/include/sec1996_date.hpp" \
  "$libdir/pkgconfig/sec1996-date.pc"; do
  [ -e "$f" ] || fail "missing $f"
done
cmp -s "$root/LICENSE" "$prefix/share/doc/sec1996/LICENSE" || fail "installed LICENSE differs"
grep -q '^License: MIT$' "$pc" || fail "sec1996.pc names no licence"
! grep -q '^Libs.private' "$pc" || fail "sec1996.pc asks static users for libraries: $(grep '^Libs.private' "$pc")"
# The CMake package links its users to its own targets and nothing else.
extra=$(sed -n 's/^ *INTERFACE_LINK_LIBRARIES "\(.*\)"$/\1/p' "$libdir/cmake/Sec1996/Sec1996Targets.cmake" |
  tr ';' '\n' | grep -v '^Sec1996::' || true)
[ -z "$extra" ] || fail "the CMake package links its users to $extra"
grep -q '^set(Sec1996_LICENSE "MIT")$' "$libdir/cmake/Sec1996/Sec1996Config.cmake" ||
  fail "the CMake package names no licence"
soname=$(objdump -p "$libdir/libsec1996.so" | awk '$1 == "SONAME" {print $2}')
[ "$soname" = "libsec1996.so.$major" ] || fail "soname is '$soname', not libsec1996.so.$major"
export PKG_CONFIG_LIBDIR="$libdir/pkgconfig"  # only the installed .pc
[ "$(pkg-config --modversion sec1996)" = "$version" ] || fail "pkg-config version is not $version"

step "exported symbols"
# Every function the public headers declare SEC1996_API, and time_str.
expected=$( (echo time_str
  grep -ho '^SEC1996_API [^(]*(' timescale/sec1996*.h | sed 's/($//; s/.*[ *]//') | sort)
exported=$(nm -D --defined-only "$libdir/libsec1996.so" | awk '{print $3}' | sort)
if [ "$exported" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$exported") >&2 || true
  fail "libsec1996.so exports other symbols than the public ones (< expected, > found)"
fi

step "the archive needs nothing beyond the C library"
# Every symbol the archive leaves undefined must be defined by one of its own
# members, by glibc, or by the linker itself (the GOT's symbol).
libc=$(cc -print-file-name=libc.so.6)
[ -f "$libc" ] || fail "cc names no libc.so.6 ($libc)"
provided=$(
  nm --defined-only "$libdir/libsec1996.a" | awk 'NF == 3 {print $3}'
  nm -D --defined-only "$libc" | awk '{sub(/@.*/, "", $3); print $3}'
  echo _GLOBAL_OFFSET_TABLE_
)
undefined=$(nm -u "$libdir/libsec1996.a" | awk 'NF == 2 {print $2}' | sort -u)
outside=$(comm -23 <(echo "$undefined") <(sort -u <<<"$provided"))
[ -z "$outside" ] || fail "libsec1996.a needs symbols from beyond the C library: $outside"
# And every member links into a C program with a plain cc, no -lstdc++, no -lm.
cc -std=c11 -Wall -Wextra -Wpedantic -Werror -I"$prefix/include" "$root/tests/consumers/c/consumer.c" \
  -Wl,--whole-archive "$libdir/libsec1996.a" -Wl,--no-whole-archive -o "$work/c-whole-archive"
"$work/c-whole-archive"

consumers="$root/tests/consumers"
links_shared() { readelf -d "$1" | grep -q "NEEDED.*libsec1996\.so\.$major"; }

# cmake_consumer <c|cxx> <shared|static|default>: configure, build and run
# one; default sets no Sec1996_USE_STATIC_LIBS and gets the static library,
# as a default build installs it.
cmake_consumer() {
  local lang=$1 variant=$2 dir="$work/consumer-$1-cmake-$2" exe
  local choice=()
  [ "$variant" = static ] && choice=(-DSec1996_USE_STATIC_LIBS=ON)
  [ "$variant" = shared ] && choice=(-DSec1996_USE_STATIC_LIBS=OFF)
  step "$lang consumer, find_package, $variant"
  cmake -S "$consumers/$lang" -B "$dir" -DCMAKE_PREFIX_PATH="$prefix" "${choice[@]}" >/dev/null
  grep -q "^Sec1996_DIR:PATH=$libdir/cmake/Sec1996\$" "$dir/CMakeCache.txt" ||
    fail "find_package found a Sec1996 other than the one just installed"
  cmake --build "$dir" >/dev/null
  exe="$dir/consumer_$lang"
  if [ "$variant" != shared ]; then
    ! links_shared "$exe" || fail "$exe uses libsec1996.so where the static library was due"
  else
    links_shared "$exe" || fail "$exe does not use libsec1996.so"
  fi
  "$exe"
}
cmake_consumer c shared
cmake_consumer c static
cmake_consumer c default
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

step "date bridge: find_package COMPONENTS date, pkg-config sec1996-date, and no build without the define"
dir="$work/consumer-date-cmake"
cmake -S "$consumers/date" -B "$dir" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$dir" >/dev/null
"$dir/consumer_date"
# shellcheck disable=SC2046
c++ -std=c++20 -Wall -Wextra -Wpedantic -Werror "$consumers/date/consumer.cpp" \
  $(pkg-config --cflags --libs sec1996-date) -Wl,-rpath,"$libdir" -o "$work/date-pkgconfig"
"$work/date-pkgconfig"
if c++ -std=c++20 -I"$prefix/include" -fsyntax-only "$consumers/date/consumer.cpp" \
  2>"$work/date-no-define.err"; then
  fail "sec1996_date.hpp compiled without USE_OS_TZDB, which crashes against libdate-tz"
fi
grep -q "compile with -DUSE_OS_TZDB=1" "$work/date-no-define.err" ||
  fail "sec1996_date.hpp failed without USE_OS_TZDB but gave no hint: $(cat "$work/date-no-define.err")"

step "time_str: readers and a program's own global of that name"
# A C consumer compiled the usual way reads time_str from a copy in the
# executable; it passed above, so the library writes that copy.  This is why
# the library cannot bind its time_str to itself (docs/c-api.md, sec1996.h).
readelf -rW "$work/c-pkgconfig" | grep -q "COPY.* time_str" ||
  fail "the C consumer does not read time_str through a copy relocation; review docs/c-api.md on time_str"
clash="$consumers/clash/clash.c"
cc -std=c11 "$clash" -L"$libdir" -lsec1996 -Wl,-rpath,"$libdir" -o "$work/clash-shared"
if "$work/clash-shared" >/dev/null; then
  fail "the shared library no longer writes into a program's own time_str; update docs/c-api.md and sec1996.h"
fi
if cc -std=c11 "$clash" "$libdir/libsec1996.a" -o "$work/clash-static" 2>"$work/clash-static.err"; then
  fail "a program with its own time_str linked the static library; update docs/c-api.md and sec1996.h"
fi
grep -q "multiple definition of .time_str" "$work/clash-static.err" ||
  fail "the static link failed otherwise than on time_str: $(cat "$work/clash-static.err")"

step "find_package refuses another major version"
if cmake -S "$consumers/c" -B "$work/consumer-version" -DCMAKE_PREFIX_PATH="$prefix" \
  -DSEC1996_MIN_VERSION=$((major + 1)).0 >/dev/null 2>&1; then
  fail "find_package(Sec1996 $((major + 1)).0) accepted version $version"
fi

# The parent project, one source for every way the library comes in.
parent_src="$consumers/parent"
# parent_configure <dir> <cmake arguments...>: configures quietly, and fails
# on any warning, the library's included.
parent_configure() {
  local dir=$1
  shift
  cmake -S "$parent_src" -B "$dir" --no-warn-unused-cli "$@" >"$dir.log" 2>"$dir.err" ||
    fail "parent project failed to configure: $(cat "$dir.err")"
  [ ! -s "$dir.err" ] || fail "parent project configured with warnings: $(cat "$dir.err")"
}
parent_build_and_run() {
  cmake --build "$1" -j2 >/dev/null || fail "parent project failed to build in $1"
  "$1/parent" >/dev/null || fail "parent program failed in $1"
}

step "parent project, find_package"
parent_configure "$work/parent-package" -DSEC1996_FROM=package -DCMAKE_PREFIX_PATH="$prefix"
parent_build_and_run "$work/parent-package"
! links_shared "$work/parent-package/parent" || fail "Sec1996::sec1996 from the package is not the static library"
parent_configure "$work/parent-package" -DSEC1996_PARENT_LINKS=Sec1996::sec1996_shared
parent_build_and_run "$work/parent-package"
links_shared "$work/parent-package/parent" || fail "Sec1996::sec1996_shared from the package is not the shared library"

# parent_as_subproject <subdirectory|fetchcontent>: the library inside a
# parent that sets no build type, with GoogleTest out of reach.
parent_as_subproject() {
  local from=$1 dir="$work/parent-$1" tests files
  step "parent project, $from"
  parent_configure "$dir" -DSEC1996_FROM="$from" -DSEC1996_SOURCE_DIR="$root" \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
  parent_build_and_run "$dir"
  grep -q '^CMAKE_BUILD_TYPE:STRING=$' "$dir/CMakeCache.txt" ||
    fail "$from: the parent's build type became $(grep '^CMAKE_BUILD_TYPE:' "$dir/CMakeCache.txt")"
  if out=$("$dir/parent" --assert 2>&1); then
    fail "$from: the parent's assert() did not fire ($out)"
  fi
  grep -q "Assertion" <<<"$out" || fail "$from: the parent's assert() did not fire ($out)"
  # The parent's own compile line carries no flag the library chose.
  local line
  line=$(grep -o '"command": "[^"]*parent\.c"' "$dir/compile_commands.json") ||
    fail "$from: no compile command for parent.c"
  for flag in -DNDEBUG -O -W -std=; do
    [[ "$line" != *" $flag"* ]] || fail "$from: parent.c is compiled with $flag: $line"
  done
  ! links_shared "$dir/parent" || fail "$from: Sec1996::sec1996 is not the static library"
  tests=$(ctest --test-dir "$dir" -N | sed -n 's/^ *Test *#[0-9]*: //p')
  [ "$tests" = "parent.converts" ] || fail "$from: the parent's ctest lists $tests"
  ctest --test-dir "$dir" >/dev/null || fail "$from: the parent's test failed"
  cmake --install "$dir" --prefix "$dir-install" >/dev/null
  files=$(cd "$dir-install" && find . -type f | sort)
  [ "$files" = "./bin/parent" ] || fail "$from: the parent's install holds $files"
  "$dir-install/bin/parent" >/dev/null || fail "$from: the installed parent program failed"
}
parent_as_subproject subdirectory
parent_as_subproject fetchcontent

step "parent project, subdirectory, named targets and the library's options"
dir="$work/parent-subdirectory"
parent_configure "$dir" -DSEC1996_PARENT_LINKS=Sec1996::sec1996_shared
parent_build_and_run "$dir"
links_shared "$dir/parent" || fail "Sec1996::sec1996_shared in the build tree is not the shared library"
parent_configure "$dir" -DSEC1996_PARENT_LINKS=Sec1996::sec1996_static
parent_build_and_run "$dir"
! links_shared "$dir/parent" || fail "Sec1996::sec1996_static in the build tree is not the static library"
parent_configure "$dir" -DSEC1996_PARENT_LINKS=Sec1996::sec1996 -DSEC1996_SHARED=ON -DSEC1996_INSTALL=ON
parent_build_and_run "$dir"
links_shared "$dir/parent" || fail "SEC1996_SHARED=ON did not make Sec1996::sec1996 the shared library"
rm -rf "$dir-install"
cmake --install "$dir" --prefix "$dir-install" >/dev/null
for f in bin/parent include/sec1996.h lib/libsec1996.a "lib/libsec1996.so.$major" \
  lib/cmake/Sec1996/Sec1996Config.cmake share/doc/sec1996/LICENSE; do
  [ -e "$dir-install/$f" ] || fail "SEC1996_INSTALL=ON in a parent did not install $f"
done
[ ! -e "$dir-install/bin/sec1996" ] || fail "a parent that did not build the sec1996 command installed it"

step "BUILD_TESTING=OFF leaves the tests out at the top level"
cmake -S "$root" -B "$work/no-testing" -DBUILD_TESTING=OFF >/dev/null
n=$(ctest --test-dir "$work/no-testing" -N | sed -n 's/^Total Tests: //p')
[ "$n" = 0 ] || fail "with BUILD_TESTING=OFF ctest lists $n tests"

step "$guide: the example"
unset PKG_CONFIG_LIBDIR  # the page's own PKG_CONFIG_PATH must do
# The program is the section's c example, its CMake project the cmake
# fragment, and every command line of its sh fragments after the install
# line is run as written from the example's directory; each one that runs
# ./leap or ./build/leap must end with the text output block.
example="$work/example"
mkdir -p "$example"
fenced() { awk -v info="$1" '$0 == "```" info {on=1; next} /^```/{on=0} on' <<<"$section"; }
fenced "c example" >"$example/leap.c"
fenced "cmake fragment" >"$example/CMakeLists.txt"
want=$(fenced "text output")
if [ ! -s "$example/leap.c" ] || [ ! -s "$example/CMakeLists.txt" ] || [ -z "$want" ]; then
  fail "$guide's section lacks its c example, cmake fragment or text output block"
fi
runs=0
while IFS= read -r line; do
  case "$line" in
    '' | '#'* | 'cmake --install '*) continue ;;
    export\ *) eval "$line" ;;
    *)
      echo "\$ $line"
      got=$(cd "$example" && eval "$line") || fail "$guide's command failed: $line"
      if [[ "$line" == *./leap* || "$line" == *./build/leap* ]]; then
        [ "$(tail -n "$(wc -l <<<"$want")" <<<"$got")" = "$want" ] ||
          fail "$guide's command printed '$got', the page says '$want': $line"
        runs=$((runs + 1))
      fi
      ;;
  esac
done < <(fenced "sh fragment")
[ "$runs" -ge 3 ] || fail "$guide shows $runs ways to build the example, expected at least 3"

step "the first command, where GoogleTest cannot be found"
# The first command of the page's "Build and test", which must also be the
# first of the README's "Build and run", run as written in a copy of the
# tree, with one setting added to its configure step: GoogleTest is out of
# reach.
first_command() {  # file, section heading
  awk -v heading="$2" '$0 == heading {on=1; next} /^## /{on=0} on' "$1" |
    awk '$0 == "```sh fragment" {on=1; next} /^```/{on=0} on && NF && !/^#/' | head -n 1
}
first=$(first_command "$guide" "## Build and test")
[[ "$first" == "cmake -S . -B build "* ]] || fail "$guide's first command is not 'cmake -S . -B build ...': $first"
[ "$(first_command README.md "## Build and run")" = "$first" ] ||
  fail "the README's first command is not $guide's: $(first_command README.md "## Build and run")"
tree="$work/tree"
mkdir -p "$tree"
tar -C "$root" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$tree" -xf -
command=${first/cmake -S . -B build /cmake -S . -B build -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON }
echo "\$ $command"
(cd "$tree" && eval "$command") >"$work/first.out" 2>"$work/first.err" ||
  fail "the first command failed: $(tail -n 5 "$work/first.err")"
grep -q "GoogleTest not found" "$work/first.err" || fail "configuring said nothing of the missing GoogleTest"
grep -qxF "000000000000   0  0 01-Jan-1996 00:00:00 1996. 1.000000" "$work/first.out" ||
  fail "the first command did not print CvtTest's first line"
[ "$(tail -n 1 "$work/first.out")" = "001324425600   0  0 19-Dec-2037 23:59:59 2037.353.999988" ] ||
  fail "the first command did not end with CvtTest's last line"
[ ! -e "$tree/build/tests" ] || fail "the first command configured the tests without GoogleTest"
[ ! -e "$tree/build/cli/sec1996" ] || fail "the first command built more than CvtTest"

echo "check_install: all passed"
