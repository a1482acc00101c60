#!/usr/bin/env bash
# Installs the build tree into a scratch prefix and checks what lands there:
# the three programs, their desktop files and documentation, nothing else,
# and files that agree with each other and with the project's version.
#   install_test.sh CMAKE SOURCE_DIR BUILD_DIR VERSION
set -euo pipefail
cmake="$1" source="$2" build="$3" version="$4"

# AppStream wants the metainfo installed under its component id.
appstream_id="$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$source/packaging/camera-control-tool.metainfo.xml")"

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
prefix="$root/usr"
"$cmake" --install "$build" --prefix "$prefix" > /dev/null

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

programs=(camera-control-tool camera-ctl camera-sim)
desktop=share/applications/camera-control-tool.desktop
metainfo=share/metainfo/$appstream_id.metainfo.xml
doc=share/doc/camera-control-tool
expected=(
  "${programs[@]/#/bin/}"
  "$desktop"
  share/icons/hicolor/scalable/apps/camera-control-tool.svg
  "$metainfo"
  "$doc/changelog.gz"
  "$doc/copyright"
)
for p in "${programs[@]}"; do expected+=("share/man/man1/$p.1.gz"); done

# Exactly these: no static library, test program or fake grabber library.
wanted="$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)"
actual="$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)"
if [ "$actual" != "$wanted" ]; then
  fail "the installed files are not the expected ones (< expected, > installed):"
  diff <(echo "$wanted") <(echo "$actual") >&2 || true
fi

# The installed programs run from where they are (no path into the build
# tree), and the window program answers without a display.
for p in "${programs[@]}"; do
  [ -x "$prefix/bin/$p" ] || fail "bin/$p is not executable"
done
out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$root/config" \
  "$prefix/bin/camera-control-tool" --version 2>&1)" || fail "camera-control-tool --version failed"
[ "$out" = "camera-control-tool $version" ] || fail "camera-control-tool --version said '$out'"
out="$("$prefix/bin/camera-ctl" --version 2>&1)" || fail "camera-ctl --version failed"
[[ "$out" == *"$version"* ]] || fail "camera-ctl --version said '$out'"
"$prefix/bin/camera-sim" --help > /dev/null 2>&1 || fail "camera-sim --help failed"

# The desktop entry starts an installed program and shows the installed icon.
if [ -f "$prefix/$desktop" ]; then
  exec_line="$(sed -n 's/^Exec=//p' "$prefix/$desktop")"
  [ -x "$prefix/bin/${exec_line%% *}" ] || fail "desktop entry runs '$exec_line', not installed"
  icon="$(sed -n 's/^Icon=//p' "$prefix/$desktop")"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "desktop entry shows icon '$icon', not installed"
fi

# The metainfo launches the installed desktop entry and knows this release.
if [ -f "$prefix/$metainfo" ]; then
  grep -qF "<launchable type=\"desktop-id\">${desktop##*/}</launchable>" "$prefix/$metainfo" ||
    fail "metainfo does not launch ${desktop##*/}"
  grep -qF "<release version=\"$version\"" "$prefix/$metainfo" ||
    fail "metainfo has no release $version"
fi

# The licence: the root's LICENSE, the package's copyright file and the
# metainfo say the same.
if [ -f "$prefix/$doc/copyright" ] && [ -f "$prefix/$metainfo" ]; then
  copyright="$prefix/$doc/copyright"
  # The MIT text of the copyright file, unindented, with its empty lines back.
  mit_text="$(sed -n '/^License: MIT$/,/^$/{/^ /p}' "$copyright" | sed 's/^ //; s/^\.$//')"
  while IFS='|' read -r what actual wanted; do
    [ "$actual" = "$wanted" ] || fail "$what: '$actual', not '$wanted'"
  done <<EOF
copyright file format|$(head -n1 "$copyright")|Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
licence of the files|$(sed -n '/^Files: \*$/,/^$/s/^License: //p' "$copyright")|MIT
holder of the files|$(sed -n '/^Files: \*$/,/^$/s/^Copyright: //p' "$copyright")|$(sed -n 's/^Copyright (c) //p' "$source/LICENSE")
licence text|$(md5sum <<< "$mit_text")|$(tail -n +5 "$source/LICENSE" | md5sum)
metainfo project licence|$(sed -n 's|.*<project_license>\(.*\)</project_license>.*|\1|p' "$prefix/$metainfo")|MIT
EOF
fi

# The changelog is the kept one, compressed the same way every time, and its
# newest entry is this release, from the package's maintainer.
if [ -f "$prefix/$doc/changelog.gz" ]; then
  gzip -9n -c "$source/packaging/changelog" | cmp -s - "$prefix/$doc/changelog.gz" ||
    fail "$doc/changelog.gz is not packaging/changelog compressed by gzip -9n"
  head="$(gzip -dc "$prefix/$doc/changelog.gz" | head -n1)"
  [[ "$head" == "camera-control-tool ($version) "* ]] || fail "the newest changelog entry is '$head'"
  maintainer="Camera Control Tool maintainers <maintainers@cameracontroltool.org>"
  others="$(gzip -dc "$prefix/$doc/changelog.gz" | grep '^ -- ' | grep -vF " -- $maintainer  " || true)"
  [ -z "$others" ] || fail "changelog entries not signed by $maintainer: $others"
fi

# Every man page is readable and carries this version.
for p in "${programs[@]}"; do
  page="$prefix/share/man/man1/$p.1.gz"
  [ -f "$page" ] || continue
  th="$(gzip -dc "$page" | grep -m1 '^\.TH' || true)"
  [[ "$th" == *"camera-control-tool $version"* ]] || fail "$p.1 is not for version $version: $th"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures install check(s) failed" >&2
  exit 1
fi
echo "installed ${#expected[@]} files into a scratch prefix, all as expected"
