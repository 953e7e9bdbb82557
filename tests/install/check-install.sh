#!/bin/sh
# check-install.sh BUILD_DIR: `cmake --install` lays out the program folder in
# PREFIX/lib/arkive, links PREFIX/bin/arkive to the program, adds what makes
# it a desktop application (installed-files lists it all), and the installed
# program runs from there.
set -eu
build=$1
here=$(dirname "$0")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

while read -r path; do
  [ -f "$prefix/$path" ] || { echo "missing from the install: $path" >&2; exit 1; }
done < "$here/installed-files"
for folder in plugin lib; do
  [ -d "$prefix/lib/arkive/$folder" ] || { echo "missing folder: lib/arkive/$folder" >&2; exit 1; }
done
# A relative link, so that the tree may move (DESTDIR, the package).
[ "$(readlink "$prefix/bin/arkive")" = ../lib/arkive/arkive ] \
  || { echo "bin/arkive is not the link ../lib/arkive/arkive" >&2; exit 1; }
# The hicolor theme's 48x48 folder takes only pictures of that size: the
# PNG header's width and height.
[ "$(od -An -tx1 -j16 -N8 "$prefix/share/icons/hicolor/48x48/apps/arkive.png" | tr -d ' \n')" \
  = 0000003000000030 ] || { echo "the 48x48 icon is not 48x48" >&2; exit 1; }

desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >/dev/null \
  || { appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >&2; exit 1; }

# Through the link, a bad option ends with status 0 at once.
"$prefix/bin/arkive" -x 2>/dev/null
# The installed tally reads a listing and reports it done.
printf -- '-rw-r--r-- root/root 5 2026-01-01 00:00 a.txt\n' \
  | QT_QPA_PLATFORM=offscreen "$prefix/lib/arkive/bin/tally" --text -t tar 2>/dev/null
echo "install layout ok"
