#!/usr/bin/env bash
# Verification beyond the unit tests, in eight stages:
#   exhaustive  every count 0..4294967295 through the public conversions
#   patterns    formatDate1996 against glibc's strftime_l on every conversion
#               over a million counts, and parseDate1996 reading them back
#   references  the core with the full leap-second list, and the public
#               functions to the end of 1998, against Hinnant's date and ERFA
#   scales      true time (sec1996_scales.h: TAI, TT, GPS, TAI-UTC) against
#               ERFA both ways, with the tests' pinned leap-second list; and
#               the Python package's (verify/python_scales.py) when
#               scripts/ci_python.sh has built build/python-venv
#   timezones   CvtTest's output is byte-identical under every zone of the
#               tz database, some POSIX TZ strings, and TZ unset
#   asan        the test suite built with AddressSanitizer and UBSan
#   tsan        the test suite built with ThreadSanitizer
#   fuzz        each libFuzzer target for FUZZ_SECONDS (default 60) seconds
# Usage: scripts/verify.sh [stage ...]   (no stage: all of them)
# Installs the Debian packages it needs when they are missing, prints a
# summary at the end and exits non-zero if any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.."

readonly JOBS=2
readonly FUZZ_SECONDS="${FUZZ_SECONDS:-60}"
readonly ZONEINFO=/usr/share/zoneinfo
readonly ALL_STAGES=(exhaustive patterns references scales timezones asan tsan fuzz)
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=("${ALL_STAGES[@]}")

for stage in "${stages[@]}"; do
  case " ${ALL_STAGES[*]} " in
    *" $stage "*) ;;
    *) echo "verify.sh: unknown stage '$stage' (stages: ${ALL_STAGES[*]})" >&2; exit 2 ;;
  esac
done

wants() {
  local stage
  for stage in "${stages[@]}"; do [ "$stage" = "$1" ] && return 0; done
  return 1
}

# --- packages -------------------------------------------------------------
source scripts/lib/need.sh
need_command cmake
need_command g++
need_file /usr/include/gtest/gtest.h libgtest-dev
need_file "$ZONEINFO/leap-seconds.list" tzdata
if wants references; then
  need_file /usr/include/date/tz.h libhowardhinnant-date-dev
  need_file /usr/include/erfa.h liberfa-dev
fi
if wants scales; then
  # The verification build configures the peers of the references stage.
  need_file /usr/include/date/tz.h libhowardhinnant-date-dev
  need_file /usr/include/erfa.h liberfa-dev
  need_package python3-erfa
fi
if wants fuzz; then
  need_command clang++ clang
  # The libFuzzer runtime ships apart from the compiler.
  need_file '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' libclang-rt-14-dev
fi
install_needed

# --- bookkeeping ----------------------------------------------------------
summary=()
failed=0
record() {  # stage, status (0 = pass), detail
  local verdict=PASS
  if [ "$2" -ne 0 ]; then verdict=FAIL; failed=1; fi
  summary+=("$(printf '%-11s %s  %s' "$1" "$verdict" "$3")")
}
banner() { printf '\n=== %s ===\n' "$1"; }
log_dir=build-verify/logs
mkdir -p "$log_dir"

# Configures and builds; BUILD_TARGETS, when set, limits the build to them.
configure_and_build() {  # build dir, then cmake arguments
  local dir="$1"
  shift
  local targets=()
  [ -z "${BUILD_TARGETS:-}" ] || targets=(--target ${BUILD_TARGETS})
  cmake -S . -B "$dir" "$@" >"$log_dir/$(basename "$dir").configure.log" 2>&1 &&
    cmake --build "$dir" -j"$JOBS" "${targets[@]}" >"$log_dir/$(basename "$dir").build.log" 2>&1 ||
    { echo "build of $dir failed; see $log_dir/$(basename "$dir").*.log"
      tail -n 30 "$log_dir/$(basename "$dir").build.log" 2>/dev/null; return 1; }
}

needs_verify_build() { wants exhaustive || wants patterns || wants references || wants scales || wants timezones; }
verify_built=1
if needs_verify_build; then
  banner "build (Release, verification programs)"
  configure_and_build build-verify -DCMAKE_BUILD_TYPE=Release -DSEC1996_BUILD_VERIFY=ON \
    -DSEC1996_BUILD_TESTS=OFF
  verify_built=$?
fi

# Runs a program of build-verify/verify, keeps its output in the stage's log
# and records the last line of it that matches the summary pattern.
run_verify_program() {  # stage, program, summary pattern
  local stage="$1" program="$2" pattern="$3"
  local log="$log_dir/$stage.log"
  if [ $verify_built -ne 0 ]; then
    record "$stage" 1 "not built"
    return
  fi
  "./build-verify/verify/$program" | tee "$log"
  local status=${PIPESTATUS[0]}
  record "$stage" "$status" "$(grep -o "$pattern" "$log" | tail -n 1)"
}

# --- 1. every count -------------------------------------------------------
if wants exhaustive; then
  banner "exhaustive: every count"
  run_verify_program exhaustive sec1996_exhaustive 'checked .*'
fi

# --- 1b. the pattern engine against glibc --------------------------------
if wants patterns; then
  banner "patterns: formatDate1996 against strftime_l, parseDate1996 reading back"
  run_verify_program patterns sec1996_patterns 'checked .*'
fi

# --- 2. independent references --------------------------------------------
if wants references; then
  banner "references: Hinnant's date and ERFA"
  run_verify_program references sec1996_references 'core with the full list.*'
fi

# --- 2b. true time ----------------------------------------------------------
if wants scales; then
  banner "scales: TAI, TT, GPS and TAI-UTC against ERFA"
  run_verify_program scales sec1996_scales_references 'true time against ERFA.*'
  if [ -x build/python-venv/bin/python ]; then
    build/python-venv/bin/python verify/python_scales.py | tee "$log_dir/scales-python.log"
    record scales-py "${PIPESTATUS[0]}" "$(tail -n 1 "$log_dir/scales-python.log")"
  else
    echo "scales: no build/python-venv (scripts/ci_python.sh makes it): the Python sweep skipped"
  fi
fi

# --- 3. every time zone ---------------------------------------------------
if wants timezones; then
  banner "timezones: CvtTest output under every TZ"
  cvttest=./build-verify/driver/CvtTest
  if [ $verify_built -ne 0 ]; then
    record timezones 1 "not built"
  else
    reference="$log_dir/CvtTest.UTC.out"
    TZ=UTC "$cvttest" >"$reference"
    status=$?
    tried=0
    differing=()
    check_tz() {  # TZ value, or the word "unset"
      local out="$log_dir/CvtTest.tz.out"
      if [ "$1" = unset ]; then
        env -u TZ "$cvttest" >"$out"
      else
        TZ="$1" "$cvttest" >"$out"
      fi
      if [ $? -ne 0 ] || ! cmp -s "$out" "$reference"; then differing+=("$1"); fi
      tried=$((tried + 1))
    }
    zones=0
    # Zones are files and symbolic links holding TZif data; the posix/ and
    # right/ trees repeat them.
    while IFS= read -r -d '' path; do
      [ "$(head -c 4 "$path" 2>/dev/null)" = TZif ] || continue
      check_tz "${path#"$ZONEINFO"/}"
      zones=$((zones + 1))
    done < <(find "$ZONEINFO" \( -path "$ZONEINFO/posix" -o -path "$ZONEINFO/right" \) -prune \
               -o \( -type f -o -type l \) -print0 | sort -z)
    posix_strings=(UTC-14 'UTC+12' '<+0530>-5:30' '<-1130>11:30' '<+1345>-13:45'
                   'EST5EDT,M3.2.0,M11.1.0' 'CET-1CEST,M3.5.0,M10.5.0/3'
                   'NZST-12NZDT,M9.5.0,M4.1.0/3' '<-03>3<-02>,M3.5.0/-2,M10.5.0/-1'
                   'XXX-24:59:59' GMT0 '' Nowhere/Invalid_Zone)
    for tz in "${posix_strings[@]}"; do check_tz "$tz"; done
    check_tz unset
    if [ "$zones" -eq 0 ]; then
      echo "no zones found under $ZONEINFO"
      status=1
    fi
    if [ ${#differing[@]} -gt 0 ]; then
      printf 'output differs under TZ=%s\n' "${differing[@]}"
      status=1
    fi
    echo "$tried TZ settings tried ($zones zones from $ZONEINFO), ${#differing[@]} differ"
    record timezones "$status" \
      "$tried TZ settings ($zones zones, ${#posix_strings[@]} POSIX strings, TZ unset): ${#differing[@]} differ"
  fi
fi

# --- 4 and 5. sanitizers --------------------------------------------------
run_sanitized_suite() {  # stage, build dir, sanitizer flags
  local stage="$1" dir="$2" flags="$3"
  banner "$stage: test suite with $flags"
  # The database extensions are left out: a sanitized module cannot be
  # loaded into the uninstrumented sqlite3, python3 or postgres.
  if ! configure_and_build "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DSEC1996_BUILD_POSTGRESQL=OFF -DSEC1996_BUILD_SQLITE=OFF \
      -DCMAKE_CXX_FLAGS="$flags -fno-omit-frame-pointer -fno-sanitize-recover=all" \
      -DCMAKE_C_FLAGS="$flags -fno-omit-frame-pointer -fno-sanitize-recover=all" \
      -DCMAKE_EXE_LINKER_FLAGS="$flags"; then
    record "$stage" 1 "build failed"
    return
  fi
  ctest --test-dir "$dir" --output-on-failure -j"$JOBS" 2>&1 | tee "$log_dir/$stage.log"
  local status=${PIPESTATUS[0]}
  record "$stage" "$status" "$(grep -E 'tests passed|tests failed' "$log_dir/$stage.log" | tail -n 1)"
}

# g++ leaves float-cast-overflow out of "undefined"; the day-of-year
# conversion turns doubles into integers, so it is asked for by name.
if wants asan; then
  ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_sanitized_suite asan build-asan "-fsanitize=address,undefined,float-cast-overflow"
fi
if wants tsan; then
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    run_sanitized_suite tsan build-tsan "-fsanitize=thread"
fi

# --- 6. fuzzing -----------------------------------------------------------
if wants fuzz; then
  banner "fuzz: libFuzzer, $FUZZ_SECONDS s per target"
  fuzz_flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
  fuzz_targets=(cvtToSec1996 cvtToSec1996_yd cvtToSec1996_checked getSecondsSince1996FromDate
    parseDate1996_iso sql_count_text ccsds parseDate1996 parseDate1996_iso_opt leapListFromBuffer1996)
  # Only the targets and the library they link: the rest of the tree is
  # built with g++ by the other stages.
  if ! BUILD_TARGETS="${fuzz_targets[*]/#/fuzz_}" configure_and_build build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEC1996_BUILD_FUZZ=ON -DSEC1996_BUILD_TESTS=OFF \
      -DCMAKE_CXX_FLAGS="$fuzz_flags" -DCMAKE_C_FLAGS="$fuzz_flags"; then
    record fuzz 1 "build failed"
  else
    fuzz_status=0
    fuzz_detail=()
    for target in "${fuzz_targets[@]}"; do
      corpus=build-fuzz/corpus/$target
      mkdir -p "$corpus"
      # The list reader starts from the pinned list and its broken copies.
      [ "$target" != leapListFromBuffer1996 ] || cp tests/data/*.list "$corpus"/
      log="$log_dir/fuzz_$target.log"
      (cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "./fuzz/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="fuzz-$target-" "corpus/$target") >"$log" 2>&1
      status=$?
      runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
      echo "fuzz_$target: ${runs:-?} executions, exit $status"
      if [ $status -ne 0 ]; then
        fuzz_status=1
        grep -E -A 15 'check failed|ERROR:|runtime error' "$log" | head -n 40
        echo "(input saved as build-fuzz/fuzz-$target-*; full log $log)"
      fi
      fuzz_detail+=("$target ${runs:-?}")
    done
    record fuzz "$fuzz_status" "executions in ${FUZZ_SECONDS} s: $(IFS=,; echo "${fuzz_detail[*]}" | sed 's/,/, /g')"
  fi
fi

# --- summary --------------------------------------------------------------
banner "verification summary"
printf '%s\n' "${summary[@]}"
if [ $failed -ne 0 ]; then
  echo "verification FAILED"
  exit 1
fi
echo "verification passed"
