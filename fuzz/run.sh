#!/usr/bin/env bash
# Runs every fuzz target for a set time, one after another.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# Each target keeps its growing corpus in BUILD_DIR/corpus/<target>, seeded from the files of
# tests/data it reads; a crashing input is saved as BUILD_DIR/crashes/<target>-crash-<sha1>.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build directory}
seconds=${2:-60}
shift 2 || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_common_file fuzz_project_file fuzz_preference_file
                                      fuzz_user_list fuzz_catalog fuzz_text_encoding)

# Seeds from the test data. The common-file target takes a first byte that chooses the file
# kind, the switches and whether the file is the gadget event file too, so each form is seeded
# once as .pbf with all switches on and once as .pb with the default ones.
# Copies files into a seed folder, each named by its content, so equal names cannot clash.
add_seeds() {
  local dir=$1 f; shift
  for f in "$@"; do cp "$f" "$dir/$(sha1sum "$f" | cut -c1-16)"; done
}

seed() {
  local target=$1 dir="$build/seeds/$1"
  [ -d "$dir" ] && return
  mkdir -p "$dir"
  case $target in
    fuzz_common_file)
      find tests/data examples -name '*.pb' -o -name '*.pbf' | while read -r f; do
        h=$(sha1sum "$f" | cut -c1-12)
        { printf '\177'; cat "$f"; } > "$dir/all-$h"
        { printf '\106'; cat "$f"; } > "$dir/default-$h"
        # An event file is also given as the user's gadget event file (the first byte's last bit).
        case $(basename "$f") in Event*) { printf '\306'; cat "$f"; } > "$dir/event-$h" ;; esac
      done ;;
    fuzz_project_file) mapfile -t files < <(find tests/data examples -name '*.pbm'); add_seeds "$dir" "${files[@]}" ;;
    fuzz_preference_file|fuzz_user_list)
      mapfile -t files < <(find tests/data -name '*.INI'); add_seeds "$dir" "${files[@]}"
      printf '[USERGADGET]\nMyButton\n  MyList  \n\n' > "$dir/user-list" ;;
    fuzz_catalog) mapfile -t files < <(find tests/data -name Catalog); add_seeds "$dir" "${files[@]}" ;;
    fuzz_text_encoding)
      mapfile -t files < <(find tests/data -name '*.txt' | head -20); add_seeds "$dir" "${files[@]}"
      printf '\xef\xbb\xbfA\r\nB\rC\n' > "$dir/utf8"
      printf '\xff\xfeA\x00\r\x00\n\x00' > "$dir/utf16le"
      printf '\x00\x00\xfe\xff\x00\x00\x00A' > "$dir/utf32be" ;;
  esac
}

status=0
mkdir -p "$build/crashes"
for target in "${targets[@]}"; do
  seed "$target"
  mkdir -p "$build/corpus/$target"
  echo "== $target for ${seconds}s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
        "$build/corpus/$target" "$build/seeds/$target" > "$build/$target.log" 2>&1; then
    echo "   FOUND A FAULT, see $build/$target.log and $build/crashes/"
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^Done ' "$build/$target.log" | sed 's/^/   /' || true
done
exit $status
