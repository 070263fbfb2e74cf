#!/bin/sh
# Installs the build into a scratch prefix, checks that the programs, the desktop entry and the
# icons land where desktop environments look, and that the installed generator keeps its
# settings in the per-user configuration directory rather than in its bin directory.
# Arguments: cmake binary, build directory, a project folder to generate.
set -eu
cmake=$1 build=$2 project=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
for file in bin/quarvel bin/quarvel-gen; do
  [ -x "$prefix/$file" ] || fail "$file is not installed as a program"
done
for file in share/applications/quarvel.desktop share/icons/hicolor/scalable/apps/quarvel.svg \
            share/icons/hicolor/16x16/apps/quarvel.png; do
  [ -s "$prefix/$file" ] || fail "$file is missing"
done
grep -qx 'Exec=quarvel %f' "$prefix/share/applications/quarvel.desktop" || fail "desktop entry runs no quarvel"
grep -qx 'Icon=quarvel' "$prefix/share/applications/quarvel.desktop" || fail "desktop entry names no icon"

cp -r "$project" "$scratch/project"
pbm=$(ls "$scratch/project"/*.pbm | head -n 1)
env -u QUARVEL_CONFIG_DIR HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
  "$prefix/bin/quarvel-gen" "$pbm" > "$scratch/log" || fail "the installed quarvel-gen failed: $(cat "$scratch/log")"
grep -qx 'Ready.' "$scratch/log" || fail "no Ready. at the end of the run"
[ -f "$scratch/config/quarvel/UserList.INI" ] || fail "UserList.INI not in the per-user directory"
[ ! -e "$prefix/bin/UserList.INI" ] || fail "UserList.INI written beside the installed program"
echo "install check passed"
