#!/usr/bin/env bash
# Generates every window-source shape of tests/data/shapes as a project of its own, with every
# switch on, and runs the consistency check over it: prints each project's faults and how many
# shapes generate cleanly. Usage: tests/check_shapes.sh [BUILD_DIR] [OUT_DIR]
# Beside its sources a shape folder may hold faults.txt (what the check still finds, compared by
# tst_project_checker), expect.txt (one fact a line: `text "..."`, a text some generated file
# must hold as written, such as a caption of a source in a legacy code page) and a P.pbm of its
# own with the files an earlier version generated (the run then starts from that project).
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
out=${2:-$(mktemp -d)}
mkdir -p "$out"
gen=$build/src/cli/quarvel-gen
check=$build/tests/check_project
export QUARVEL_CONFIG_DIR=$out
clean=0; total=0
for shape in "$here"/data/shapes/*/; do
  name=$(basename "$shape")
  rm -rf "${out:?}/$name" && cp -r "$shape" "$out/$name"
  # A shape with a P.pbm of its own is a project an earlier version made: it runs as it stands.
  [ -f "$out/$name/P.pbm" ] || (cd "$out/$name" && "$gen" --init P.pbm $(ls *.pb *.pbf 2>/dev/null | sort) >/dev/null)
  sets=(); for s in Parend PB_Ignore Multilang Image_Include Image_Null UseCallFast Utf8; do sets+=(--set "$s=1"); done
  "$gen" "${sets[@]}" "$out/$name/P.pbm" > "$out/$name.log" 2>&1; status=$?
  total=$((total + 1))
  if faults=$("$check" "$out/$name") && [ "$status" -le 0 -o "$status" -eq 3 ]; then
    clean=$((clean + 1)); echo "ok    $name"
  else
    echo "FAULT $name (exit $status)"; [ -z "$faults" ] || echo "$faults" | sed "s#^$out/##; s#^#      #"
  fi
done
echo "$clean of $total shapes generate a consistent project ($out)"
