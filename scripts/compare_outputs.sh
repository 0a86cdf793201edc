#!/bin/sh
# Runs two builds of the headless program on the same set of commands and fails on any byte
# difference in their standard output, error output or exit status (the iCalendar DTSTAMP, the time of the
# export, aside). Used to show that a restructuring leaves the output unchanged:
#   scripts/compare_outputs.sh OLD_QUILLON NEW_QUILLON
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 OLD_QUILLON NEW_QUILLON" >&2
  exit 2
fi
old=$1
new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
n=0

# compare ARGS...: runs both programs with ARGS and compares their outputs.
compare() {
  n=$((n + 1))
  for side in old new; do
    eval "bin=\$$side"
    QT_QPA_PLATFORM=offscreen "$bin" "$@" >"$work/$side.$n" 2>"$work/$side.$n.err"
    echo "exit $?" >>"$work/$side.$n"
    cat "$work/$side.$n.err" >>"$work/$side.$n"
    grep -v '^DTSTAMP:' "$work/$side.$n" >"$work/$side.$n.cmp"
  done
  if cmp -s "$work/old.$n.cmp" "$work/new.$n.cmp"; then
    echo "same      quillon $*"
  else
    echo "DIFFERENT quillon $*"
    diff "$work/old.$n.cmp" "$work/new.$n.cmp" | head -20
    failed=1
  fi
}

compare --json --at 2024-04-08T12:00
compare --text --at 2000-01-01
compare --year 2024 --format csv
compare --year 2024 --format json
compare --year 2024 --format ics
compare --find next-solar-eclipse --count 20 --at 1900-01-01
compare --json --from 2024-01-01 --to 2024-03-01 --step 6h
compare --json --from 1600-02-28T23:59:30 --to 1600-03-01T00:00:30 --step 30s \
  --longitude -74.0 --latitude 40.7 --height 10 --timezone -5 --delta-t 60
compare --text --at 2026-12-31T23:59:59 --longitude 0 --latitude 89.5 --timezone 0
compare --find previous-lunar-eclipse --count 5 --at 2100-06-01
compare --year 1873 --format csv --latitude -33.9 --longitude 151.2 --timezone 10
compare --at 9999-13-01 --json
compare --json --text
compare --year 2024 --at 2024-01-01
compare --json --from 2024-01-02 --to 2024-01-01
compare --text --from 2024-01-01 --to 2024-01-02
compare --count 2 --json
compare --find next-foo
compare --year 2024 --help
compare --latitude 95 --json
compare --version

if [ $failed -ne 0 ]; then
  echo "outputs differ"
  exit 1
fi
echo "all $n outputs identical"
