#!/usr/bin/env bash
# scripts/package makes the .deb from this build tree; the package holds the programs, the
# shipped files, the desktop entry, the icon and the manual page, and its desktop entry
# passes desktop-file-validate.  package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
trap 'echo "package test failed at line $LINENO" >&2' ERR
source_dir=$1 build_dir=$2
start=$(date +%s)
deb=$("$source_dir/scripts/package" --build-dir "$build_dir")
[ "$(basename "$deb")" = lumaro_1.3-1_amd64.deb ] || { echo "unexpected package name: $deb"; exit 1; }
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/lumaro ./usr/bin/lumaro-cli ./usr/share/lumaro/French.lng \
    ./usr/share/lumaro/English.hlp ./usr/share/lumaro/French.hlp \
    ./usr/share/applications/lumaro.desktop ./usr/share/icons/hicolor/scalable/apps/lumaro.svg \
    ./usr/share/man/man1/lumaro-cli.1.gz; do
  grep -qx -- "$path" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done
# Dependencies come from the linked libraries, not from a hand-written list.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libturbojpeg0 libc6; do
  grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Section)" = graphics ] || { echo "wrong section"; exit 1; }
# (Outputs are read whole before grep -q: with pipefail, a writer cut off by an early match fails.)
grep -q "numbered names" <<<"$(dpkg-deb -f "$deb" Description)" || { echo "no description"; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/lumaro.desktop"
grep -qx 'Exec=lumaro %f' "$unpacked/usr/share/applications/lumaro.desktop"
grep -qx 'MimeType=inode/directory;' "$unpacked/usr/share/applications/lumaro.desktop"
grep -q '^\.TH LUMARO-CLI 1' <<<"$(zcat "$unpacked/usr/share/man/man1/lumaro-cli.1.gz")"
# The packaged programs are stripped yet run.
[ "$("$unpacked/usr/bin/lumaro-cli" --version)" = "lumaro-cli 1.3" ]
echo "package built and checked in $(( $(date +%s) - start )) s"
