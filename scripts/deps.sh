#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when some are missing.
# Usage: scripts/deps.sh [build|test|all]   (build: compile and run; test: also the test tools)
set -euo pipefail
what=${1:-all}
build_pkgs=(g++ cmake ninja-build pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev
            fontconfig fonts-liberation libpng-dev)
test_pkgs=(libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-utils clang
           libclang-rt-14-dev libsdl2-gfx-dev)
pkgs=("${build_pkgs[@]}")
[ "$what" = build ] || pkgs+=("${test_pkgs[@]}")

missing=()
for p in "${pkgs[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

cmd="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them as root, then run this again:" >&2
  echo "  sudo sh -c '$cmd'" >&2
  exit 1
fi
echo "Installing: ${missing[*]}" >&2
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
