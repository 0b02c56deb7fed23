#!/usr/bin/env bash
# Builds the Debian packages from a copy of this tree, checks them with
# lintian, installs them on this machine and uses only the installed files:
# a C program through pkg-config, a C++ program through find_package, the
# sec1996 command and its manual page, the Python module with the system
# Python, CREATE EXTENSION on a throw-away PostgreSQL cluster and the SQLite
# extension in the sqlite3 shell.  Then purges them and checks that nothing
# is left behind.
# Usage: scripts/build_debs.sh [OUTDIR]   (the .debs stay in OUTDIR if given)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

source scripts/lib/need.sh
need_command dpkg-buildpackage dpkg-dev
need_command dh debhelper
need_command lintian
need_command man man-db
need_package dh-python python3-all-dev python3-numpy python3-setuptools \
  libgtest-dev pkg-config cmake g++ groff-base tzdata postgresql-server-dev-15 libsqlite3-dev \
  sqlite3
install_needed

fail() {
  echo "build_debs: FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }

work=$(mktemp -d)
packages=()
cleanup() {
  if [ ${#packages[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "${packages[@]}" >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

step "the version in debian/changelog is the project's"
version=$(sed -n 's/^project(Sec1996 VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -S Version)
[ "$changelog_version" = "$version" ] ||
  fail "debian/changelog is at $changelog_version, CMakeLists.txt at $version"

step "dpkg-buildpackage -us -uc -b"
mkdir "$work/src"
git ls-files -z | xargs -0 cp --parents -t "$work/src"
# The system's Python and tools only: pybuild runs the python3 first on PATH.
(cd "$work/src" && env PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  dpkg-buildpackage -us -uc -b -j2 >"$work/build.log" 2>&1) || {
  tail -50 "$work/build.log" >&2
  fail "dpkg-buildpackage failed (log above)"
}
changes=$(ls "$work"/sec1996_*.changes)

step "lintian"
lintian --fail-on error,warning "$changes" ||
  fail "lintian reports errors or warnings"

step "install"
mapfile -t debs < <(ls "$work"/*.deb)
for deb in "${debs[@]}"; do packages+=("$(dpkg-deb -f "$deb" Package)"); done
before=$(mktemp)
dpkg-query -W -f '${Package}\n' | sort >"$before"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${debs[@]}" >/dev/null

step "a C program through pkg-config"
mkdir "$work/use"
cd "$work/use"
cat >leap.c <<'C'
#include <sec1996.h>
#include <stdio.h>
int main(void) {
  char text[SEC1996_ISO_SIZE];
  Sec1996 count = 0;
  Date1996 leap = {1997, 6, 30, 23, 59, 60};
  if (cvtToSec1996_checked(leap, &count) != SEC1996_PARSE_OK) return 1;
  printf("%u %s\n", count, stringDate1996_iso(count, text));
  return 0;
}
C
# shellcheck disable=SC2046
cc -Wall -Werror -o leap-c leap.c $(pkg-config --cflags --libs sec1996)
[ "$(./leap-c)" = "47260800 1997-06-30T23:59:60Z" ] || fail "the C program printed $(./leap-c)"

step "a C++ program through find_package"
mkdir cxx
cat >cxx/CMakeLists.txt <<'CMAKE'
cmake_minimum_required(VERSION 3.13)
project(leap CXX)
find_package(Sec1996 1.0 REQUIRED)
add_executable(leap leap.cpp)
target_link_libraries(leap PRIVATE Sec1996::sec1996)
target_compile_features(leap PRIVATE cxx_std_20)
CMAKE
cat >cxx/leap.cpp <<'CPP'
#include <iostream>
#include <sec1996.hpp>
int main() {
  std::cout << sec1996::from_count(47260800) << '\n';
  return 0;
}
CPP
cmake -S cxx -B cxx/build >/dev/null && cmake --build cxx/build >/dev/null
[ "$(cxx/build/leap)" = "1997-06-30T23:59:60Z" ] || fail "the C++ program printed $(cxx/build/leap)"

step "the sec1996 command and its manual page"
[ "$(/usr/bin/sec1996 47260800)" != "" ] || fail "sec1996 printed nothing"
man -P cat sec1996 2>/dev/null | grep -q sec1996 || fail "man sec1996 shows nothing"
[ -f /usr/share/bash-completion/completions/sec1996 ] || fail "no bash completion"

step "the Python module with the system Python"
(cd / && /usr/bin/python3 -c 'import sec1996; assert bool(sec1996.is_leap_second(47260800))') ||
  fail "python3 -c 'import sec1996' failed"

step "CREATE EXTENSION sec1996 on a throw-away PostgreSQL cluster"
cd "$root"
source scripts/lib/pg_server.sh
start_pg_server
trap 'stop_pg_server; cleanup' EXIT
answer=$(psql -X -q -At -v ON_ERROR_STOP=1 -d postgres \
  -c 'CREATE EXTENSION sec1996' -c "SELECT '1997-06-30T23:59:60Z'::sec1996::bigint")
[ "$answer" = "47260800" ] || fail "the PostgreSQL extension answered '$answer'"
stop_pg_server

step "the SQLite extension in the sqlite3 shell"
module=$(ls /usr/lib/*/sqlite3/libsec1996_sqlite.so)
answer=$(sqlite3 :memory: ".load ${module%.so}" 'SELECT sec1996_iso(47260800);')
[ "$answer" = "1997-06-30T23:59:60Z" ] || fail "the SQLite extension answered '$answer'"

step "purge leaves nothing behind"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "${packages[@]}" >/dev/null
packages=()
after=$(mktemp)
dpkg-query -W -f '${Package}\n' | sort >"$after"
diff "$before" "$after" >/dev/null || fail "packages differ after purge: $(diff "$before" "$after")"
for path in /usr/include/sec1996.h /usr/bin/sec1996 /usr/lib/*/libsec1996.so.1 \
  /usr/lib/*/cmake/Sec1996 /usr/lib/python3/dist-packages/sec1996 /usr/lib/*/sqlite3/libsec1996_sqlite.so \
  /usr/lib/postgresql/15/lib/sec1996.so /usr/share/postgresql/15/extension/sec1996.control; do
  if compgen -G "$path" >/dev/null; then fail "$path is left after purge"; fi
done
if [ $# -gt 0 ]; then
  mkdir -p "$1"
  cp "$work"/*.deb "$work"/*.changes "$1"/
fi
echo "build_debs: all checks passed"
