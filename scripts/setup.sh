#!/usr/bin/env bash
# Installs the Debian packages Dravenor needs, only when some are missing: to build and run it;
# with --tests also what its tests use (LinuxCNC's rs274 for the NC programs, ezdxf for the
# drawings, the packaging tools, a virtual display) and a decimal-comma locale (de_DE.UTF-8) for
# the tests that numbers read and write alike in every locale. Further package names given as
# arguments are installed the same way.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev libpolyclipping-dev fonts-dejavu-core)
tests=false
for arg in "$@"; do
  if [ "$arg" = "--tests" ]; then tests=true; else packages+=("$arg"); fi
done
if $tests; then
  packages+=(libgtest-dev python3 python3-ezdxf xvfb xauth imagemagick poppler-utils locales linuxcnc-uspace
             dpkg-dev desktop-file-utils man-db)
fi
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
if $tests && ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
  echo "Generating the locale de_DE.UTF-8"
  "${sudo_cmd[@]}" localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
