#!/bin/sh
# check-package.sh BUILD_DIR: CPack makes arkive_VERSION_ARCH.deb of the build;
# it holds the installed tree under /usr (installed-files and the link
# /usr/bin/arkive), depends on Qt 6 and the archivers, suggests unrar, and
# its programs run.
set -eu
build=$1
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "$*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log" >&2; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$out/arkive_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb; made: $(ls "$out")"

dpkg-deb -c "$deb" > "$out/contents"
while read -r path; do
  grep -q " \./usr/$path\$" "$out/contents" || fail "missing from the package: /usr/$path"
done < "$here/installed-files"
grep -q ' \./usr/bin/arkive -> \.\./lib/arkive/arkive$' "$out/contents" \
  || fail "no link /usr/bin/arkive -> ../lib/arkive/arkive"

has() { # has FIELD PACKAGE: the field names the package
  dpkg-deb -f "$deb" "$1" | grep -Eq "(^|, )$2( \(|,|\$)" || fail "$1 does not name $2"
}
has Depends tar
has Depends unzip
has Depends libqt6widgets6
has Suggests unrar

# Unpacked, the stripped programs still run: a bad option ends with 0.
dpkg-deb -x "$deb" "$out/root"
"$out/root/usr/bin/arkive" -x 2>/dev/null
printf -- '-rw-r--r-- root/root 5 2026-01-01 00:00 a.txt\n' \
  | "$out/root/usr/lib/arkive/bin/tally" --text -t tar 2>/dev/null
echo "package ok: $(basename "$deb")"
