#!/bin/sh
# Installs the Debian packages that building, running and testing arkive need,
# when any of them is missing. Uses sudo when not run as root.
set -eu

PACKAGES="
cmake ninja-build g++ make
qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
libarchive-dev
tar gzip bzip2 xz-utils lzip lzop zstd zip unzip sed 7zip libarchive-tools ncompress
pigz lbzip2 pbzip2 plzip
python3 dbus-daemon
xvfb xauth xdotool fonts-dejavu-core fonts-wqy-microhei libxcb1-dev
qt6-wayland weston
libfontconfig-dev libx11-dev
clang libclang-rt-14-dev
pv cloc strace
fusefat dosfstools
desktop-file-utils appstream dpkg-dev file
"

missing=""
for package in $PACKAGES; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
  case "$status" in
    ii*) ;;
    *) missing="$missing $package" ;;
  esac
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  run=""
elif command -v sudo >/dev/null 2>&1; then
  run="sudo"
else
  echo "install-deps: these packages are missing and neither root nor sudo is available:$missing" >&2
  exit 1
fi

echo "install-deps: installing$missing"
$run apt-get update -qq
DEBIAN_FRONTEND=noninteractive $run apt-get install -y -qq --no-install-recommends $missing
