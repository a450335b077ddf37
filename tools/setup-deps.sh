#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
PKGS=(build-essential cmake qt6-base-dev qt6-multimedia-dev libqt6svg6 qt6-image-formats-plugins
      libgl1-mesa-dev fonts-liberation xvfb openbox xdotool x11-utils libxcb1-dev libbenchmark-dev clang
      libclang-rt-14-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
      desktop-file-utils appstream dpkg-dev file clang-format lintian)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  SUDO="sudo"
else
  echo "Cannot install packages (not root, no sudo). Run:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || true
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
