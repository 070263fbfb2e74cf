#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quarvel need.
# Cheap when everything is present: only dpkg is asked, apt runs only for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libpng-dev zlib1g-dev libuchardet-dev
  xvfb xauth xdotool x11-utils fonts-dejavu-core
  clang libclang-rt-14-dev clang-format clang-tidy
  time valgrind python3 patch strace
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
