#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
#   scripts/deps.sh run    - what building and running the program needs
#   scripts/deps.sh test   - the above plus the test and benchmark tools
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev fonts-ipafont-mincho)
if [ "${1:-run}" = test ]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool imagemagick x11-utils)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
