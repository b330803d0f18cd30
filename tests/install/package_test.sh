#!/usr/bin/env bash
# scripts/package makes the .deb from this build tree; the package holds the programs, the
# shipped files, the desktop entry and AppStream metainfo under the program's id, the icon,
# both manual pages and the copyright file; the desktop entry passes desktop-file-validate and
# the metainfo appstreamcli (when installed).  package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
trap 'echo "package test failed at line $LINENO" >&2' ERR
source_dir=$1 build_dir=$2
start=$(date +%s)
deb=$("$source_dir/scripts/package" --build-dir "$build_dir")
[ "$(basename "$deb")" = lumaro_1.3-1_amd64.deb ] || { echo "unexpected package name: $deb"; exit 1; }
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
id=io.github.lumaro.Lumaro
for path in ./usr/bin/lumaro ./usr/bin/lumaro-cli ./usr/share/lumaro/French.lng \
    ./usr/share/lumaro/German.lng ./usr/share/lumaro/Spanish.lng ./usr/share/lumaro/English.hlp \
    ./usr/share/lumaro/French.hlp ./usr/share/lumaro/German.hlp ./usr/share/lumaro/Spanish.hlp \
    ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/lumaro.svg ./usr/share/man/man1/lumaro.1.gz \
    ./usr/share/man/man1/lumaro-cli.1.gz ./usr/share/doc/lumaro/copyright \
    ./usr/share/bash-completion/completions/lumaro-cli; do
  grep -qx -- "$path" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done
# The two programs and nothing else: the test build's stoppable lumaro-cli is never packaged.
programs=$(grep '^\./usr/bin/.' <<<"$contents" | sort | tr '\n' ' ')
[ "$programs" = "./usr/bin/lumaro ./usr/bin/lumaro-cli " ] || { echo "bin holds: $programs"; exit 1; }
if grep -q 'applications/lumaro\.desktop$' <<<"$contents"; then
  echo "the desktop entry is still under its old name"; exit 1
fi
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
desktop="$unpacked/usr/share/applications/$id.desktop"
desktop-file-validate "$desktop"
grep -qx 'Exec=lumaro %f' "$desktop"
grep -qx 'MimeType=inode/directory;' "$desktop"
grep -q '^\.TH LUMARO-CLI 1' <<<"$(zcat "$unpacked/usr/share/man/man1/lumaro-cli.1.gz")"
grep -q '^\.TH LUMARO 1' <<<"$(zcat "$unpacked/usr/share/man/man1/lumaro.1.gz")"
# The completion is bash that parses, and registers itself for the command line.
completion="$unpacked/usr/share/bash-completion/completions/lumaro-cli"
bash -n "$completion"
grep -q '^complete -F _lumaro_cli lumaro-cli$' "$completion"
# The metainfo validates without a warning, alone and with the desktop entry it launches.
metainfo="$unpacked/usr/share/metainfo/$id.metainfo.xml"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo"
if command -v appstreamcli >/dev/null; then
  for check in "validate --no-net $metainfo" "validate-tree --no-net $unpacked"; do
    # shellcheck disable=SC2086
    report=$(appstreamcli $check --no-color 2>&1) || { echo "$report"; exit 1; }
    if grep -q '^[EW]: ' <<<"$report"; then echo "$report"; exit 1; fi
  done
fi
copyright="$unpacked/usr/share/doc/lumaro/copyright"
[ "$(head -1 "$copyright")" = \
  'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ]
grep -qx 'License: GPL-3.0-or-later' "$copyright"
# The packaged programs are stripped yet run.
[ "$("$unpacked/usr/bin/lumaro-cli" --version)" = "lumaro-cli 1.3" ]
echo "package built and checked in $(( $(date +%s) - start )) s"
