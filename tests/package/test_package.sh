#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what a desktop and a user get from
# it: its files, its dependencies, the desktop entry and metainfo by their validators, one
# version in every program, and "Sfc.ini" found where an installed program looks for it.
# Usage: test_package.sh BUILD-FOLDER SOURCE-FOLDER
set -euo pipefail
build="$1"
source="$2"
app_id=io.github.kvprog.kvprog

for tool in cpack dpkg-deb dpkg-shlibdeps help2man desktop-file-validate appstreamcli; do
  if ! command -v "$tool" > /dev/null; then
    echo "SKIP: $tool is missing (./scripts/test installs it)"
    exit 77
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$build" && cpack -G DEB -B "$work/out" > "$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb="$(ls "$work"/out/kvprog_*.deb)"

dpkg-deb -c "$deb" | awk '{print $6}' > "$work/files"
for f in ./usr/bin/kvprog ./usr/bin/kvprog-cli ./usr/bin/kvsim \
  "./usr/share/applications/$app_id.desktop" "./usr/share/metainfo/$app_id.metainfo.xml" \
  ./usr/share/mime/packages/kvprog.xml ./usr/share/icons/hicolor/scalable/apps/kvprog.svg \
  ./usr/share/icons/hicolor/48x48/apps/kvprog.png ./usr/share/icons/hicolor/128x128/apps/kvprog.png \
  ./usr/share/icons/hicolor/256x256/apps/kvprog.png ./usr/share/kvprog/Sfc.ini \
  ./usr/share/man/man1/kvprog.1.gz ./usr/share/man/man1/kvprog-cli.1.gz \
  ./usr/share/man/man1/kvsim.1.gz; do
  grep -qxF "$f" "$work/files" || fail "$f is not in the package"
done
# An installed program's folder is not writable: nothing but the programs goes there.
[ "$(grep -c '^\./usr/bin/.' "$work/files")" -eq 3 ] || fail "more than the programs in bin"

depends="$(dpkg-deb -f "$deb" Depends)"
for p in libqt6widgets6 libqt6serialport6 libqt6printsupport6 fonts-noto-cjk fonts-dejavu-core; do
  [[ "$depends" == *"$p"* ]] || fail "Depends lacks $p: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "metainfo"

# One version: the package's, every program's --version and the metainfo's release.
version="$(dpkg-deb -f "$deb" Version)"
for program in kvprog kvprog-cli kvsim; do
  shown="$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/$program" --version 2> /dev/null)"
  [ "$shown" = "$program $version" ] || fail "$program --version says \"$shown\", not $version"
done
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "the metainfo's release is not $version"

# Installed, the settings come from the user's folder, copied from the packaged default.
export XDG_CONFIG_HOME="$work/config"
"$root/usr/bin/kvprog-cli" show "$source/tests/data/example.chp" > "$work/show.txt" ||
  fail "kvprog-cli show"
grep -q '400MHz---470MHz' "$work/show.txt" || fail "show found no band"
cmp "$work/config/kvprog/Sfc.ini" "$root/usr/share/kvprog/Sfc.ini" ||
  fail "no copy of the default settings in the user's folder"

echo "PASS: $(basename "$deb"): $(wc -l < "$work/files") entries, validated"
