#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every source file of src/, with the
# compile commands of a configured build, and fails on any finding.
#   scripts/check_tidy.sh [BUILD_DIR] [FILE...]     (default: build, every src/*.cpp)
# Headers are checked through the files that include them; a finding in a header is printed
# once. The build must have run once, so that the generated headers exist.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shift || true

if [ ! -f "$build/compile_commands.json" ]; then
  echo "check_tidy: no $build/compile_commands.json; configure and build first (make build)" >&2
  exit 2
fi

files=("$@")
[ ${#files[@]} -eq 0 ] && mapfile -t files < <(find src -name '*.cpp' | sort)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The compile commands are gcc's: clang skips gcc's own warning options, and the compiler's
# warnings are the build's business, not this check's.
printf '%s\n' "${files[@]}" |
  xargs -P "$(nproc)" -I{} sh -c \
    'log="$4/$(echo "$3" | tr / _).log"
     clang-tidy -p "$1" --quiet --header-filter="^$2/src/" --extra-arg=-Wno-unknown-warning-option \
       --extra-arg=-Wno-error "$3" >"$log" 2>&1 || echo "$3" >"$log.failed"' \
    _ "$build" "$root" {} "$out"

# A run that failed without a finding did not check its file (no compile command, a crash).
for failed in "$out"/*.failed; do
  [ -e "$failed" ] || continue
  log=${failed%.failed}
  if ! grep -qE '^/[^ ]+:[0-9]+:[0-9]+: (warning|error):' "$log"; then
    cat "$log" >&2
    echo "check_tidy: clang-tidy could not check $(cat "$failed")" >&2
    exit 2
  fi
done

# One line per finding, with paths from the repository's top.
findings=$(cat "$out"/*.log | grep -E '^/[^ ]+:[0-9]+:[0-9]+: (warning|error):' |
           sed "s|^$root/||" | sort -u || true)

# Findings listed in the known file, by path and check, wait for their fix and pass.
known_file=scripts/tidy_known_findings.txt
new=() known=()
while IFS= read -r finding; do
  [ -z "$finding" ] && continue
  key="${finding%%:*} [$(echo "$finding" | sed -E 's/.*\[([^],]+)[],].*/\1/')]"
  if grep -qxF "$key" "$known_file"; then known+=("$finding"); else new+=("$finding"); fi
done <<<"$findings"

[ ${#known[@]} -gt 0 ] && echo "check_tidy: ${#known[@]} known finding(s) still waiting, see $known_file"
if [ ${#new[@]} -gt 0 ]; then
  printf '%s\n' "${new[@]}"
  echo "check_tidy: ${#new[@]} finding(s) in ${#files[@]} files" >&2
  exit 1
fi
echo "check_tidy: ${#files[@]} files, no new finding"
