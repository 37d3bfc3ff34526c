#!/usr/bin/env bash
# Installs what Tallimo needs to build and test (Debian 12), then configures and builds.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ qt6-base-dev qt6-translations-l10n     # build
  qt6-tools-dev qt6-l10n-tools                     # the translations: lupdate, lrelease
  fonts-liberation2                                # the face the window is laid out for
  adwaita-qt6                                      # the desktop styles the window must fit under
  qt6-base-private-dev                             # tests switch accessibility on
  python3-aiosmtpd sharutils                       # a real SMTP server, GNU uudecode
  xvfb xdotool x11-xkb-utils imagemagick x11-utils iproute2  # the real window, driven and photographed
  qt6-wayland weston                               # the real window on Wayland, with no X server
  dpkg-dev desktop-file-utils appstream lintian    # the Debian package and its desktop files
  python3-debian                                   # reads the copyright file as Debian tools do
  librsvg2-bin                                     # the scalable icon drawn as desktops draw it
  clang libclang-rt-14-dev                         # sanitizers and libFuzzer
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# CI (CI=true) holds the code to no warnings at all.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CI:+-DTALLIMO_WERROR=ON}
cmake --build build -j"$(nproc)"
