#!/bin/sh
# check-install.sh BUILD_DIR: `cmake --install` lays out the program folder in
# PREFIX/lib/arkive, links PREFIX/bin/arkive to the program and adds what
# makes it a desktop application (installed-files lists it all); CPack's
# arkive_VERSION_ARCH.deb holds the same tree under /usr, depends on Qt 6 and
# the archivers and suggests unrar. Both installed programs run.
set -eu
build=$1
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "$*" >&2; exit 1; }

cmake --install "$build" --prefix "$out/prefix" >/dev/null
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || fail "$(cat "$out/cpack.log")"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$out/arkive_${version}_$(dpkg --print-architecture).deb
dpkg-deb -x "$deb" "$out/package"

for prefix in "$out/prefix" "$out/package/usr"; do
  while read -r path; do
    [ -f "$prefix/$path" ] || fail "missing from $prefix: $path"
  done < "$here/installed-files"
  [ -d "$prefix/lib/arkive/plugin" ] && [ -d "$prefix/lib/arkive/lib" ] || fail "no plugin or lib folder in $prefix"
  # A relative link, so that the tree may move (DESTDIR, the package).
  [ "$(readlink "$prefix/bin/arkive")" = ../lib/arkive/arkive ] || fail "$prefix/bin/arkive is not ../lib/arkive/arkive"
  # Through the link a bad option ends with status 0 at once; tally reads
  # a listing and reports it done.
  "$prefix/bin/arkive" -x 2>/dev/null
  printf -- '-rw-r--r-- root/root 5 2026-01-01 00:00 a.txt\n' \
    | QT_QPA_PLATFORM=offscreen "$prefix/lib/arkive/bin/tally" --text -t tar 2>/dev/null
done

# The hicolor theme's 48x48 folder takes only pictures of that size: the
# PNG header's width and height.
[ "$(od -An -tx1 -j16 -N8 "$out/prefix/share/icons/hicolor/48x48/apps/arkive.png" | tr -d ' \n')" \
  = 0000003000000030 ] || fail "the 48x48 icon is not 48x48"
desktop-file-validate "$out/prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$out/prefix"/share/metainfo/*.metainfo.xml >"$out/appstream.log" \
  || fail "$(cat "$out/appstream.log")"

for field in "Depends tar" "Depends unzip" "Depends libqt6widgets6" "Suggests unrar"; do
  dpkg-deb -f "$deb" "${field% *}" | grep -Eq "(^|, )${field#* }( \(|,|\$)" || fail "$field: not named"
done
echo "install ok: $(basename "$deb")"
