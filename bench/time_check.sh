#!/usr/bin/env bash
# Times `make check` and `make demo` as a new contributor meets them: each on a fresh clone (a
# new folder, no build trees), phase by phase, with the load average at the start of each phase.
#   bench/time_check.sh [REPOSITORY] [OUTPUT]
# REPOSITORY defaults to this clone (its HEAD), OUTPUT to time_check.txt in the current folder;
# each phase's output goes beside OUTPUT as time_check-<phase>.log, with the ninja logs of the
# build trees (per-file compile times: start_ms end_ms mtime output hash). Run it on an idle
# machine: wall times count only when nothing else runs; user + sys CPU repeat under load.
#
# The phases of `make check` are the targets its rule lists, timed one after the other; their
# sum is `make check`. `make demo` runs on a second clone, after the first one's apt.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
repository=${1:-$here}
out=$(realpath -m "${2:-time_check.txt}")
logs=$(dirname "$out")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
: >"$out"

TIMEFORMAT='%R %U %S'
total_wall=0 total_cpu=0
phase() {
  local name=$1 load times status
  shift
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  times=$({ time "$@" >"$logs/time_check-$name.log" 2>&1; } 2>&1)
  status=$?
  echo "$name | load $load | wall/user/sys $times | status $status" | tee -a "$out"
  read -r wall user sys <<<"$times"
  total_wall=$(awk "BEGIN { print $total_wall + $wall }")
  total_cpu=$(awk "BEGIN { print $total_cpu + $user + $sys }")
}

git clone -q "$repository" "$scratch/check"
cd "$scratch/check" || exit 2
echo "commit $(git rev-parse --short HEAD), $(nproc) cores, $(date -u '+%Y-%m-%d %H:%M UTC')" | tee -a "$out"
phase setup scripts/setup.sh
for target in $(sed -n 's/^check: *//p' Makefile); do
  phase "$target" make "$target"
done
echo "make check | wall $total_wall s | user+sys $total_cpu s" | tee -a "$out"
for tree in build build-*; do
  [ -f "$tree/.ninja_log" ] && cp "$tree/.ninja_log" "$logs/time_check-ninja-$tree.log"
done

total_wall=0 total_cpu=0
git clone -q "$repository" "$scratch/demo"
cd "$scratch/demo" || exit 2
phase demo make demo
echo "make demo | wall $total_wall s | user+sys $total_cpu s" | tee -a "$out"
