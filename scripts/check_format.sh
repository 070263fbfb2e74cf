#!/usr/bin/env bash
# Checks the C++ sources of src/, tests/, fuzz/ and bench/ against .clang-format without
# changing them; fails and names each place that differs. `make format` applies the format.
#   scripts/check_format.sh [--apply]
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -d '' files < <(find src tests fuzz bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if [ "${1:-}" = --apply ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
status=0
diagnostics=$(clang-format --dry-run -Werror "${files[@]}" 2>&1) || status=$?
# One line per file that differs: its first place and how many places in all.
report=$(echo "$diagnostics" |
         sed -nE 's/^([^ ]+):([0-9]+):[0-9]+: error: code should be clang-formatted.*/\1 \2/p' |
         awk '!($1 in n) { order[++k] = $1; first[$1] = $2 } { n[$1]++ }
              END { for (i = 1; i <= k; i++) print order[i] ":" first[order[i]] ": " n[order[i]] " place(s) differ" }')
if [ "$status" -ne 0 ] && [ -z "$report" ]; then
  echo "$diagnostics" >&2
  exit 2
fi
if [ -n "$report" ]; then
  echo "$report"
  echo "check_format: $(echo "$report" | wc -l) of ${#files[@]} files differ from .clang-format;" \
       "'make format' rewrites them" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted"
