#!/usr/bin/env bash
# Runs the sec1996 binary on good and bad input and checks its standard
# output, its messages and its exit status.  One case per CTest test:
#   cli_test.sh CASE SEC1996 CVTTEST VERSION
# The docs case also reads the manual page and the bash completion in cli/.
set -euo pipefail

case_name=$1
sec1996=$2
cvttest=$3
version=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL ($case_name): $*" >&2
  exit 1
}

# run [sec1996 arguments...]: runs the binary with standard input from
# $work/in (empty unless written), leaving out, err and status.
run() {
  [ -e "$work/in" ] || : >"$work/in"
  set +e
  "$sec1996" "$@" <"$work/in" >"$work/out" 2>"$work/err"
  status=$?
  set -e
}

expect_status() {
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1; stderr: $(head -5 "$work/err")"
}

# expect_file NAME: compares $work/NAME with standard input.
expect_file() {
  if ! diff -u - "$work/$1" >"$work/diff"; then
    cat "$work/diff" >&2
    fail "$1 differs from what was expected"
  fi
}

tab=$'\t'

case "$case_name" in

arguments)
  # Every form of a value, the leap second among them.
  run 0 47260800 1997-06-30T23:59:60Z 1997-06-30T23:59:59 '30-Jun-1997 23:59:59' \
    '1997.182.000000' '1996. 1.500000' 1996.1.500000 000000777600 4294967295
  expect_status 0
  expect_file err </dev/null
  expect_file out <<END
0${tab}1996-01-01T00:00:00Z${tab}01-Jan-1996 00:00:00${tab}1996. 1.000000
47260800${tab}1997-06-30T23:59:60Z${tab}30-Jun-1997 23:59:59${tab}1997.182.000000
47260800${tab}1997-06-30T23:59:60Z${tab}30-Jun-1997 23:59:59${tab}1997.182.000000
47260799${tab}1997-06-30T23:59:59Z${tab}30-Jun-1997 23:59:59${tab}1997.181.999988
47260799${tab}1997-06-30T23:59:59Z${tab}30-Jun-1997 23:59:59${tab}1997.181.999988
47260801${tab}1997-07-01T00:00:00Z${tab}01-Jul-1997 00:00:00${tab}1997.182.000000
43200${tab}1996-01-01T12:00:00Z${tab}01-Jan-1996 12:00:00${tab}1996. 1.500000
43200${tab}1996-01-01T12:00:00Z${tab}01-Jan-1996 12:00:00${tab}1996. 1.500000
777600${tab}1996-01-10T00:00:00Z${tab}10-Jan-1996 00:00:00${tab}1996.10.000000
4294967295${tab}2132-02-07T06:28:14Z${tab}07-Feb-2132 06:28:14${tab}2132.38.269606
END
  ;;

refused_arguments)
  # Refused arguments are named by their position; the others still print.
  run 1 1996-13-01T00:00:00 2 1996-02-30T00:00:00 -0 4294967296 1996-06-30T23:59:60Z -- \
    -5 '' 2132-02-07T06:28:15 3
  expect_status 1
  expect_file out <<END
1${tab}1996-01-01T00:00:01Z${tab}01-Jan-1996 00:00:01${tab}1996. 1.000012
2${tab}1996-01-01T00:00:02Z${tab}01-Jan-1996 00:00:02${tab}1996. 1.000023
3${tab}1996-01-01T00:00:03Z${tab}01-Jan-1996 00:00:03${tab}1996. 1.000035
END
  expect_file err <<'END'
sec1996: argument 2: "1996-13-01T00:00:00": month 13 does not exist
sec1996: argument 4: "1996-02-30T00:00:00": day 30 does not exist in 1996-02, which has 29 days
sec1996: argument 5: "-0": a count has no sign: counts run from 0 to 4294967295
sec1996: argument 6: "4294967296": count above 4294967295
sec1996: argument 7: "1996-06-30T23:59:60Z": 1996-06-30T23:59:60 is not a leap second (the scale's leap seconds: 1997-06-30T23:59:60Z)
sec1996: argument 9: "-5": a count has no sign: counts run from 0 to 4294967295
sec1996: argument 10: "": empty
sec1996: argument 11: "2132-02-07T06:28:15": after the end of the scale, 2132-02-07T06:28:14Z
END
  ;;

stdin_lines)
  # Messages carry line numbers; an empty line, a DOS line ending, blanks,
  # an unprintable byte and an over-long line are refused; the last line
  # needs no newline.
  {
    printf '0\n'
    printf '\n'
    printf '86400\r\n'
    printf '01-Jan-1996 00:00:0\001\n'
    printf ' 1\n'
    printf '1996-01-01T24:00:01\n'
    head -c 70000 /dev/zero | tr '\0' '7'
    printf '\n'
    printf '1997.366.000000\n'
    printf '1997-06-30T23:59:60'
  } >"$work/in"
  run
  expect_status 1
  expect_file out <<END
0${tab}1996-01-01T00:00:00Z${tab}01-Jan-1996 00:00:00${tab}1996. 1.000000
47260800${tab}1997-06-30T23:59:60Z${tab}30-Jun-1997 23:59:59${tab}1997.182.000000
END
  expect_file err <<'END'
sec1996: line 2: "": empty
sec1996: line 3: "86400\x0d": ends in a carriage return (a DOS line ending?)
sec1996: line 4: "01-Jan-1996 00:00:0\x01": not a date in the library's form DD-Mon-YYYY HH:MM:SS
sec1996: line 5: " 1": starts with white space
sec1996: line 6: "1996-01-01T24:00:01": hour 24 does not exist
sec1996: line 7: "777777777777777777777777777777777777777777777777"...: line longer than 65535 bytes
sec1996: line 8: "1997.366.000000": day 366 does not exist in 1997, which has 365 days
END
  ;;

options)
  run --header 0
  expect_status 0
  expect_file out <<END
count${tab}iso8601${tab}text${tab}yearday
0${tab}1996-01-01T00:00:00Z${tab}01-Jan-1996 00:00:00${tab}1996. 1.000000
END
  run --version
  expect_status 0
  expect_file out <<<"sec1996 $version"
  run --help
  expect_status 0
  for topic in 'YYYY-MM-DDTHH:MM:SS' 'DD-Mon-YYYY HH:MM:SS' 'YYYY.DDD.ffffff' 'iso8601' \
    'yearday' 'Exit status: 0' '--header'; do
    grep -qF -- "$topic" "$work/out" || fail "--help does not mention $topic"
  done
  run --frobnicate 0
  expect_status 2
  expect_file out </dev/null
  grep -qF 'unknown option "--frobnicate"' "$work/err" || fail "no message for an unknown option"
  grep -qF 'usage: sec1996' "$work/err" || fail "no usage line for an unknown option"
  ;;

write_error)
  # A full disk stops the run with a message and status 2, for arguments
  # and for standard input alike.
  for mode in arguments stdin; do
    if [ "$mode" = arguments ]; then
      set +e; "$sec1996" 0 1 2 >/dev/full 2>"$work/err"; status=$?; set -e
    else
      set +e; seq 0 100000 | "$sec1996" >/dev/full 2>"$work/err"; status=$?; set -e
    fi
    expect_status 2
    expect_file err <<<"sec1996: cannot write standard output: No space left on device"
  done
  ;;

read_error)
  set +e; "$sec1996" <"$work" >"$work/out" 2>"$work/err"; status=$?; set -e
  expect_status 2
  expect_file err <<<"sec1996: cannot read standard input: Is a directory"
  ;;

large_stream)
  # Two million lines through a pipe, every 99991st of them broken: the good
  # lines all come out, each broken one is reported with its line number,
  # and the ISO column agrees with date(1) (with the scale's one leap second
  # taken out) on a sample.
  lines=2000000
  awk -v n="$lines" 'BEGIN {
      for (i = 1; i <= n; i++) {
        if (i % 99991 == 0) print "1996-02-30T00:00:00"
        else printf "%.0f\n", int(i * 2147.483647) % 4294967296
      }
    }' | "$sec1996" >"$work/out" 2>"$work/err" && status=0 || status=$?
  expect_status 1
  bad=$((lines / 99991))
  [ "$(wc -l <"$work/out")" -eq $((lines - bad)) ] || fail "wrong number of output lines"
  awk -v n="$lines" 'BEGIN {
      for (i = 99991; i <= n; i += 99991)
        printf "sec1996: line %d: \"1996-02-30T00:00:00\": day 30 does not exist in 1996-02, which has 29 days\n", i
    }' | expect_file err
  awk -F'\t' 'NR % 50 == 1 {
      nominal = $1 - ($1 >= 47260801 ? 1 : 0)
      if ($1 == 47260800) next
      printf "@%.0f\n", nominal + 820454400
      print $2 > "'"$work/iso"'"
    }' "$work/out" >"$work/epochs"
  TZ=UTC date -u -f "$work/epochs" +%Y-%m-%dT%H:%M:%SZ | expect_file iso
  ;;

constant_memory)
  # The stream must fit in far less memory than its input or its output:
  # 3 million lines (about 30 MB in, 200 MB out) under a 40 MB address
  # space.  A sanitizer build reserves more than that up front; then the
  # check cannot be made here.
  limit_kb=40000
  if ! (ulimit -v $limit_kb && "$sec1996" 0 >/dev/null 2>&1); then
    echo "skipped: the binary cannot start within $limit_kb KB of address space"
    exit 0
  fi
  (ulimit -v $limit_kb && seq 1000000000 1000 4000000000 | "$sec1996" | tail -1) >"$work/out" 2>"$work/err" ||
    fail "the stream failed under $limit_kb KB: $(head -3 "$work/err")"
  "$sec1996" 4000000000 | expect_file out
  ;;

prompt)
  # Each result comes out before the converter waits for the next line, so
  # a person at the prompt, or a slow producer, sees it at once: with the
  # input still open, the answer to each line must arrive.
  mkfifo "$work/to" "$work/from"
  "$sec1996" <"$work/to" >"$work/from" 2>"$work/err" &
  exec 3>"$work/to" 4<"$work/from"
  for value in 0 1997-06-30T23:59:60Z; do
    echo "$value" >&3
    read -r -t 10 answer <&4 || fail "no answer to $value while the input stays open"
    [ "${answer%%$tab*}" = "$("$sec1996" "$value" | cut -f1)" ] || fail "wrong answer: $answer"
  done
  echo "1996-13-01T00:00:00" >&3
  exec 3>&-
  wait $! && status=0 || status=$?
  expect_status 1
  ;;

driver_agreement)
  # CvtTest prints the text and year.day of 15330 counts.  Fed CvtTest's
  # counts, sec1996 prints the same text and year.day; fed CvtTest's text
  # and year.day columns, it reads back the counts of the library's own
  # round trips (count minus CvtTest's two differences).
  "$cvttest" >"$work/driver"
  cut -c1-12 "$work/driver" >"$work/in"
  run
  expect_status 0
  cut -f3,4 "$work/out" >"$work/ours"
  awk '{ print substr($0, 21, 20) "\t" substr($0, 42) }' "$work/driver" | expect_file ours
  cut -c21-40 "$work/driver" >"$work/in"
  run
  expect_status 0
  cut -f1 "$work/out" >"$work/counts"
  awk '{ printf "%.0f\n", substr($0, 1, 12) - substr($0, 15, 2) }' "$work/driver" | expect_file counts
  cut -c42- "$work/driver" >"$work/in"
  run
  expect_status 0
  cut -f1 "$work/out" >"$work/counts"
  awk '{ printf "%.0f\n", substr($0, 1, 12) - substr($0, 18, 2) }' "$work/driver" | expect_file counts
  ;;

kept_values)
  # --keep gives a refused value a line of placeholders, one per form; "-"
  # reads standard input among the arguments, its lines numbered from 1.
  printf '47260800\nJune\n' >"$work/in"
  run -o iso8601,count -p NA 0 - 4294967296 -- -
  expect_status 1
  expect_file out <<END
1996-01-01T00:00:00Z${tab}0
1997-06-30T23:59:60Z${tab}47260800
NA${tab}NA
NA${tab}NA
END
  expect_file err <<'END'
sec1996: line 2: "June": not a count or a date in a known form (see --help)
sec1996: argument 7: "4294967296": count above 4294967295
END
  run --header --keep -o yearday 1996-02-30T00:00:00 1
  expect_status 1
  printf 'yearday\n\n1996. 1.000012\n' | expect_file out
  ;;

column_csv)
  # A CSV file with a header and RFC 4180 quotes: the field found by name
  # or number, the forms appended or put in its place, a refused value kept
  # with its placeholder, every other byte as it was.
  cat >"$work/in" <<'END'
station,time,reading
north,47260800,12.5
south,"1997-07-01T00:00:00Z",13.1
east,1996-02-30T00:00:00,9.8
west,4294967295,"7,2"
END
  run -f time -d , -o iso8601,text
  expect_status 1
  expect_file out <<'END'
station,time,reading,time_iso8601,time_text
north,47260800,12.5,1997-06-30T23:59:60Z,30-Jun-1997 23:59:59
south,"1997-07-01T00:00:00Z",13.1,1997-07-01T00:00:00Z,01-Jul-1997 00:00:00
east,1996-02-30T00:00:00,9.8,,
west,4294967295,"7,2",2132-02-07T06:28:14Z,07-Feb-2132 06:28:14
END
  expect_file err <<<'sec1996: line 4: "1996-02-30T00:00:00": day 30 does not exist in 1996-02, which has 29 days'
  run --field 2 -d , --header --replace -o count -p 'N"A'
  expect_status 1
  expect_file out <<'END'
station,time_count,reading
north,47260800,12.5
south,47260801,13.1
east,"N""A",9.8
west,4294967295,"7,2"
END
  # A space as delimiter quotes the forms that hold one; TSV by default.
  printf '"30-Jun-1997 23:59:60" x\n' >"$work/in"
  run -f 1 -d ' ' -r -o text,yearday,count,iso8601
  expect_status 0
  printf '"30-Jun-1997 23:59:59" "1997.182.000000" 47260800 1997-06-30T23:59:60Z x\n' |
    expect_file out
  printf 'id\twhen\n7\t0\n' >"$work/in"
  run -f when -o iso8601 -r
  expect_status 0
  printf 'id\twhen_iso8601\n7\t1996-01-01T00:00:00Z\n' | expect_file out
  ;;

column_faults)
  # Each line the field cannot be taken from is reported with its number
  # and written as it stands; a CRLF ending stays at the end; a long line
  # goes through whole; the last line keeps its missing newline.
  {
    printf 'x,0\r\n'
    printf 'x,"1,2\n'
    printf 'x,"1"2\n'
    printf 'x,1\ry,2\n'
    printf 'lonely\n'
    printf 'x,'
    head -c 70000 /dev/zero | tr '\0' '7'
    printf '\n'
    printf 'x,"1",y\n'
    printf 'x,3'
  } >"$work/in"
  run -f 2 -d , -o count
  expect_status 1
  {
    printf 'x,0,0\r\n'
    sed -n 2,6p "$work/in"
    printf 'x,"1",y,1\n'
    printf 'x,3,3'
  } | expect_file out
  expect_file err <<'END'
sec1996: line 2: "x,\"1,2": field 2: a quoted field does not end on its line (unbalanced quotes)
sec1996: line 3: "x,\"1\"2": field 2: characters after the closing quote (a quote inside quotes is written "")
sec1996: line 4: "x,1\x0dy,2": field 2: a carriage return inside the line (CR line endings?)
sec1996: line 5: "lonely": only 1 field, no field 2
sec1996: line 6: "x,7777777777777777777777777777777777777777777777"...: line longer than 65535 bytes
END
  run -f 2 -d , -o count --drop
  expect_status 1
  printf 'x,0,0\r\nx,"1",y,1\nx,3,3' | expect_file out
  # A header without the named field: one message, every line as it stands.
  printf 'id,when\n1,0\n2,1\n' >"$work/in"
  run -f time -d ,
  expect_status 1
  expect_file out <"$work/in"
  expect_file err <<<'sec1996: line 1: "id,when": no field named "time" in the header'
  # Usage errors stop before reading.
  run -f 2 7
  expect_status 2
  grep -qF 'takes no VALUE (argument 3 is "7")' "$work/err" || fail "no message for a value with -f"
  ;;

alignment)
  # A large file of good and bad lines of every kind: kept, the output has
  # one line per input line in the same order, each converted line ends in
  # the count of its own field, and exactly the bad lines are reported, by
  # their numbers; dropped, the same minus the refused lines.
  awk -v n=300000 -v long="$(head -c 70000 /dev/zero | tr '\0' '9')" 'BEGIN {
      for (i = 1; i <= n; i++) {
        k = i % 13; count = sprintf("%.0f", (i * 14316.55765) % 4294967296)
        if (k == 0) { print "a,1996-02-30T00:00:00,z"; print i > "'"$work/bad"'" }
        else if (k == 1) { print "lonely"; if (i == 1) print i > "'"$work/bad"'"; else short++ }
        else if (k == 2) { print "a,\"" count ",z"; print i > "'"$work/bad"'" }
        else if (k == 3) { print "a," count "\rb,z"; print i > "'"$work/bad"'" }
        else if (k == 4 && i % 100000 == 4) { print "a," long; print i > "'"$work/bad"'" }
        else if (k == 5) printf "%d,\"%s\",\"q,\"\"\"\r\n", i, count
        else printf "%d,%s,sensor-%d,%.1f,ok\n", i, count, i % 7, i / 10
      }
      print short > "'"$work/short"'"
    }' >"$work/in"
  run -f 2 -d , -o iso8601,count
  expect_status 1
  [ "$(wc -l <"$work/out")" -eq 300000 ] || fail "$(wc -l <"$work/out") output lines for 300000"
  # The lines too short for the field: the first reported, the rest counted.
  [ "$(tail -n 1 "$work/err")" = "sec1996: $(cat "$work/short") more lines have no field 2 (the first was line 1); written as they stand" ] ||
    fail "no count of the short lines: $(tail -n 1 "$work/err")"
  sed '$d; s/^sec1996: line \([0-9]*\): .*/\1/' "$work/err" | expect_file bad
  paste -d '\n' "$work/in" "$work/out" | awk '
      NR % 2 == 1 { sub(/\r$/, ""); line = $0; next }
      {
        sub(/\r$/, "")
        if ($0 == line) next                                # as it stands
        if ($0 == line ",,") next                           # placeholders
        split(line, f, ",")
        value = f[2]; gsub(/"/, "", value)
        added = substr($0, length(line) + 2)
        if (substr($0, 1, length(line) + 1) != line "," || added !~ /^[0-9-]+T[0-9:]+Z,[0-9]+$/ ||
            substr(added, index(added, ",") + 1) != value) { print "line " NR / 2 ": " $0; exit 1 }
      }' || fail "an output line is not its input line converted"
  cp "$work/out" "$work/kept"
  run -f 2 -d , -o iso8601,count --drop
  expect_status 1
  awk 'NR == FNR { bad[$1] = 1; next } !(FNR in bad) && $0 != "lonely"' "$work/bad" "$work/kept" | expect_file out
  ;;

patterns)
  # --format writes one form in any layout, the leap second as :60; in
  # column mode it is quoted where it holds the delimiter.
  run --format '%Y-%m-%d %H:%M:%S|%j|%s' --header 47260800 @867715200 1997.182.000000
  expect_status 0
  expect_file err </dev/null
  expect_file out <<'END'
format
1997-06-30 23:59:60|181|867715199
1997-07-01 00:00:00|182|867715200
1997-07-01 00:00:00|182|867715200
END
  printf 'id,time\n1,47260800\n2,x\n' >"$work/in"
  run -f time -d , -r --format '%d %b, %Y %T'
  expect_status 1
  printf 'id,time_format\n1,"30 Jun, 1997 23:59:60"\n2,\n' | expect_file out
  # --input-format reads that layout and no other; refusals name the offset.
  run --input-format '%Y.%j %T' -o count,iso8601 '1997.181 23:59:60' '1997.366 00:00:00' \
    '1997.181 22:59:60' 1997-06-30T23:59:60Z
  expect_status 1
  printf '47260800\t1997-06-30T23:59:60Z\n' | expect_file out
  expect_file err <<'END'
sec1996: argument 6: "1997.366 00:00:00": the day does not exist in its month, at offset 5 (--input-format "%Y.%j %T")
sec1996: argument 7: "1997.181 22:59:60": second 60 at offset 15 is not a leap second (the scale's leap seconds: 1997-06-30T23:59:60Z)
sec1996: argument 8: "1997-06-30T23:59:60Z": the text does not match the pattern, at offset 4 (--input-format "%Y.%j %T")
END
  # POSIX seconds both ways; the leap second writes as 23:59:59's.
  run -o posix,count @820454400 47260800 @5115421694 @5115421695 @-1 @1e9
  expect_status 1
  printf '820454400\t0\n867715199\t47260800\n5115421694\t4294967295\n' | expect_file out
  [ "$(grep -c 'outside the scale, @820454400 to @5115421694' "$work/err")" -eq 2 ] ||
    fail "no span message for POSIX seconds off the scale"
  grep -qF '"@1e9": not POSIX seconds' "$work/err" || fail "no message for @1e9"
  # Patterns are checked before any input is read.
  for bad in "--format=%q" "--format=%Y%" "--input-format=%H:%M" "--input-format=%C" "--format="; do
    run "$bad" 0
    expect_status 2
    [ ! -s "$work/out" ] || fail "$bad wrote output"
  done
  run --format %F -o count 0
  expect_status 2
  grep -qF 'exclude each other' "$work/err" || fail "--format with -o not refused"
  ;;

column_friction)
  # A CSV read without -d , says that the delimiter is a tab.
  printf 'id,count\n1,0\n' >"$work/in"
  run -f count
  expect_status 1
  expect_file err <<<'sec1996: line 1: "id,count": no field named "count" in the header (fields are split at tabs unless -d says otherwise: -d , for CSV)'
  # Lines without the field: the first reported, the others counted once.
  printf '1\t0\n2\n3\n4\t5\n5\n' >"$work/in"
  run -f 2 -o count
  expect_status 1
  printf '1\t0\t0\n2\n3\n4\t5\t5\n5\n' | expect_file out
  expect_file err <<'END'
sec1996: line 2: "2": only 1 field, no field 2
sec1996: 2 more lines have no field 2 (the first was line 2); written as they stand
END
  # Header names do not grow, and a round trip restores the header.
  printf 'id\ttime\n1\t47260800\n' >"$work/in"
  run -f time -r -o iso8601
  expect_status 0
  cp "$work/out" "$work/in"
  run -f time_iso8601 -r -o text,count
  printf 'id\ttime_text\ttime_count\n1\t30-Jun-1997 23:59:59\t47260800\n' | expect_file out
  run -f time_iso8601 -r -o count
  printf 'id\ttime\n1\t47260800\n' | expect_file out
  # A line of 65535 bytes converts with a CRLF ending as with LF; one byte
  # more is refused either way.
  for ending in '\n' '\r\n'; do
    { printf 'x\t0\t'; head -c 65531 /dev/zero | tr '\0' 7; printf "$ending"; } >"$work/in"
    run -f 2 -o count
    expect_status 0
    { printf 'x\t0\t'; head -c 65531 /dev/zero | tr '\0' 7; printf "\t0$ending"; } | expect_file out
    { printf 'x\t0\t'; head -c 65532 /dev/zero | tr '\0' 7; printf "$ending"; } >"$work/in"
    run -f 2 -o count
    expect_status 1
    expect_file out <"$work/in"
    grep -qF 'line longer than 65535 bytes' "$work/err" || fail "a long line with $ending not refused"
  done
  ;;

codes)
  # CCSDS time codes out and in: the default layouts, a fraction carried from
  # one code into the others, the layout options, and each kind of refusal.
  run -o count,cuc,cds,ccs 0 47260800 4294967295
  expect_status 0
  expect_file out <<END
0${tab}2E000000000000${tab}413637000000000000${tab}5319960101000000000000
47260800${tab}2E02D124800000${tab}41385905265C000000${tab}5319970630235960000000
4294967295${tab}2EFFFFFFFF0000${tab}41F865016370300000${tab}5321320207062814000000
END
  run --from cds -o iso8601,cuc,cds,ccs 41385905265FE703E7 41385905265FE803E7 413859052658180000
  expect_status 1
  expect_file out <<END
1997-06-30T23:59:60Z${tab}2E02D12480FFFF${tab}41385905265FE703E7${tab}5319970630235960999999
1997-06-30T23:59:59Z${tab}2E02D1247F0000${tab}413859052658180000${tab}5319970630235959000000
END
  expect_file err <<'END'
sec1996: argument 6: "41385905265FE803E7": not a CDS: a field is out of its range
END
  run --no-pfield --cuc-octets 2.1 --cds-day 24 --cds-sub ps --cds-epoch 1996-01-01 \
    --ccs-calendar yday --ccs-octets 6 -o cuc,cds,ccs 65535 65536
  expect_status 1
  expect_file out <<END
FFFF00${tab}00000003E7FC1800000000${tab}19960001181215000000000000
END
  expect_file err <<'END'
sec1996: argument 17: "65536": cannot be written as CUC: outside what the layout's counter holds
END
  run --from cuc -o count 2e02d124800000 1E02D12480C000 2E02D124 2E02D1248000000 2E02D12480000000 \
    2G AF1802D1248000000000000000000000
  expect_status 1
  expect_file out <<END
47260800
END
  expect_file err <<'END'
sec1996: argument 6: "1E02D12480C000": not a CUC: a time code other than the one asked for
sec1996: argument 7: "2E02D124": not a CUC: the input ends before its layout does
sec1996: argument 8: "2E02D1248000000": an odd number of hex digits
sec1996: argument 9: "2E02D12480000000": octets after the CUC of 7 octets
sec1996: argument 10: "2G": not hex: character 2 is not 0-9, A-F or a-f
sec1996: argument 11: "AF1802D1248000000000000000000000": not a CUC: a reserved or unsupported layout value
END
  run --from ccs -o count 5019980630235960 50199A0630235960
  expect_status 1
  expect_file err <<'END'
sec1996: argument 5: "5019980630235960": not a CCS: second 60 that is not a leap second of the scale
sec1996: argument 6: "50199A0630235960": not a CCS: a BCD digit above 9
END
  # CUC level 1, TAI seconds since 1958 from the pinned list (13879 days to
  # 1996 and TAI-UTC 30 s: 1199145630 = 4779829E), out and in, in value and
  # column mode: the list's own TAI, the step over 1998-12-31 23:59:60, the
  # 4-octet counter's end, a leap second the scale lacks, the other level.
  pinned=(--leap-seconds "$(cd "$(dirname "$0")/../../tests/data" && pwd)/leap-seconds.list")
  run "${pinned[@]}" --cuc-level 1 -o count,cuc,tai 0 47260800 94694401 4294967295
  expect_status 1
  expect_file out <<END
0${tab}1E4779829E0000${tab}1199145630
47260800${tab}1E4A4AA71E0000${tab}1246406430
94694401${tab}1E4D1E6EA00000${tab}1293840032
END
  expect_file err <<'END'
sec1996: argument 10: "4294967295": cannot be written as CUC level 1: outside what the layout's counter holds
END
  printf 'id,stamp\n1,1E4A4AA71E8000\n2,1E6EFAA5240000\n3,2E02D124800000\n4,9C2001477982A3\n' >"$work/in"
  run "${pinned[@]}" --cuc-level=1 --cuc-octets 5.0 -f stamp -d , --from cuc -o count,cuc
  rm "$work/in"
  expect_status 1
  expect_file out <<END
id,stamp,stamp_count,stamp_cuc
1,1E4A4AA71E8000,47260800,9C20004A4AA71E
2,1E6EFAA5240000,,
3,2E02D124800000,,
4,9C2001477982A3,4294967295,9C2001477982A3
END
  expect_file err <<'END'
sec1996: line 3: "1E6EFAA5240000": not a CUC level 1: a UTC leap second that the scale does not count
sec1996: line 4: "2E02D124800000": not a CUC level 1: a time code other than the one asked for
sec1996: warning: a value lies past the leap-second list's expiry, 2027-06-28: no further leap second is assumed
END
  for bad in '--cuc-octets 4.9' '--cds-day 32' '--cds-sub ns' '--cds-epoch 1997-02-29' \
    '--ccs-calendar week' '--ccs-octets 7' '--from tai' '--cuc-level 0' '--cuc-level 12'; do
    # shellcheck disable=SC2086
    run $bad 0
    expect_status 2
  done
  ;;

docs)
  # The manual page renders without a warning; it and the bash completion
  # know every option --help lists; the completion completes.
  src=$(cd "$(dirname "$0")/.." && pwd)
  command -v groff >/dev/null || fail "groff is needed to check the manual page (apt-get install groff-base)"
  groff -ww -man -Tutf8 "$src/sec1996.1" 2>"$work/warnings" >/dev/null
  expect_file warnings </dev/null
  if command -v man >/dev/null; then
    for width in 80 132; do
      MANWIDTH=$width man --warnings -l "$src/sec1996.1" 2>"$work/warnings" >/dev/null
      expect_file warnings </dev/null
    done
  fi
  run --help
  grep -o -- '--[a-z]\+' "$work/out" | sort -u >"$work/options"
  [ "$(wc -l <"$work/options")" -ge 10 ] || fail "--help lists too few options"
  while read -r option; do
    grep -qF -- "${option//-/\\-}" "$src/sec1996.1" || fail "the manual page lacks $option"
    [ "$option" = "--" ] || grep -qw -- "$option" "$src/sec1996.bash" || fail "the completion lacks $option"
  done <"$work/options"
  # shellcheck disable=SC1091
  source "$src/sec1996.bash"
  complete_words() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _sec1996
    echo "${COMPREPLY[*]}"
  }
  [ "$(complete_words sec1996 --fie)" = "--field" ] || fail "completion of --fie"
  [ "$(complete_words sec1996 -o count,i)" = "count,iso8601" ] || fail "completion of -o count,i"
  [ "$(complete_words sec1996 --output = y)" = "yearday" ] || fail "completion of --output=y"
  ;;

true_time)
  # The true-time forms out and in, with the tests' pinned list; the list
  # printed; broken and expired lists.
  data=$(cd "$(dirname "$0")/../../tests/data" && pwd)
  pinned=(--leap-seconds "$data/leap-seconds.list")
  run "${pinned[@]}" -o count,tai,tt,gps,gps-week 0 47260800 662774401 976320001
  expect_status 0
  expect_file err </dev/null
  expect_file out <<'END'
0	1199145630	1199145662.184	504489611	834:86411
47260800	1246406430	1246406462.184	551750411	912:172811
662774401	1861920037	1861920069.184	1167264018	1930:18
976320001	2175465637	2175465669.184	1480809618	2448:259218
END
  run "${pinned[@]}" -o count tai:1246406430 tt:1861920069.184 gps:1480809618 gps-week:834:86411 \
    tai:1861920036 tt:1199145662.185 gps-week:834:604800 tai:x gps:1
  expect_status 1
  expect_file out <<'END'
47260800
662774401
976320001
0
END
  expect_file err <<'END'
sec1996: argument 9: "tai:1861920036": a UTC leap second that the scale does not count
sec1996: argument 10: "tt:1199145662.185": a fraction of a second where whole seconds are needed
sec1996: argument 11: "gps-week:834:604800": a field is out of its range
sec1996: argument 12: "tai:x": not whole tai seconds
sec1996: argument 13: "gps:1": outside the scale, 1996-01-01T00:00:00Z to 2132-02-07T06:28:14Z
END
  # Column mode takes the forms too.
  printf 'id\tcount\na\t0\n' >"$work/in"
  run "${pinned[@]}" -f count -o tai,gps-week
  expect_status 0
  expect_file out <<'END'
id	count	count_tai	count_gps-week
a	0	1199145630	834:86411
END
  : >"$work/in"
  run "${pinned[@]}" --leap-list
  expect_status 0
  [ "$(sed -n 1p "$work/out")" = "source	file given by --leap-seconds	$data/leap-seconds.list" ] ||
    fail "--leap-list source: $(sed -n 1p "$work/out")"
  grep -qx 'expires	2027-06-28' "$work/out" || grep -qx 'expires	2027-06-28	expired' "$work/out" ||
    fail "--leap-list expiry"
  grep -qx 'entries	28' "$work/out" || fail "--leap-list entry count"
  grep -qx '2017-01-01	37' "$work/out" || fail "--leap-list last entry"
  run --leap-seconds "$data/leap-seconds-expired.list" --leap-list
  expect_status 0
  grep -q 'expired on 2020-06-28' "$work/err" || fail "no warning for an expired list"
  run --leap-seconds "$data/leap-seconds-expired.list" -o tai 976320001 976320002
  expect_status 0
  [ "$(grep -c 'past the leap-second list' "$work/err")" -eq 1 ] || fail "the expiry warning is not given once"
  run --leap-seconds "$data/leap-seconds-malformed.list" 0
  expect_status 2
  expect_file err <<END
sec1996: $data/leap-seconds-malformed.list:113: '3x' is not TAI-UTC seconds
END
  run --leap-seconds "$data/no-such.list" --leap-list
  expect_status 2
  # A missing default file falls back to the built-in copy, and says so.
  SEC1996_LEAP_SECONDS=$work/missing.list run -o tai 0
  expect_status 0
  expect_file out <<<"1199145630"
  grep -q 'the built-in list is used' "$work/err" || fail "no word of the fallback"
  SEC1996_LEAP_SECONDS=$work/missing.list run --leap-list
  grep -q '^source	built-in	built-in$' "$work/out" || fail "--leap-list does not name the built-in copy"
  # The default output is unchanged.
  run 0
  expect_file out <<<"0	1996-01-01T00:00:00Z	01-Jan-1996 00:00:00	1996. 1.000000"
  ;;
*)
  fail "unknown case"
  ;;
esac
echo "ok: $case_name"
