#!/usr/bin/env bash
# The installed tree and the Debian package of a build: lays out
# `cmake --install` into a temporary prefix and runs the GUI from it
# (offscreen, a screenshot) and the CLI; builds the .deb, checks its
# dependencies and contents, extracts it with dpkg -x and runs the CLI from
# there. Each run gets fresh data, runtime and configuration folders.
set -euo pipefail

build=$(cd "${1:?usage: install_tree_test.sh BUILD_DIR}" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The program must find its folder by itself, and a sanitized build's leak
# report would only be about Qt and the libraries.
unset TESSALY_PROGRAM_DIR TESSALY_DATA_DIR TESSALY_TRACE TESSALY_HID_TRACE
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"
export TESSALY_NO_UPDATE_CHECK=1 QT_QPA_PLATFORM=offscreen LC_ALL=C

# Fresh per-user folders for one run in $1.
fresh_home() {
  mkdir -p "$1/run" "$1/config" "$1/data"
  chmod 700 "$1/run"
}
in_home() {
  local home=$1
  shift
  XDG_RUNTIME_DIR="$home/run" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" "$@"
}

check_status() {  # the CLI's status from an installed tessalyctl
  local ctl=$1 home=$2 out
  fresh_home "$home"
  out=$(in_home "$home" "$ctl" --emulate --data-dir "$home/data/t/" status) ||
    fail "$ctl --emulate status exited $?"
  # The model's name comes from the installed config.xml, the connection from
  # the virtual mouse found through the installed catalogue.
  grep -q '^name  *Tessaly TX7 Wireless$' <<<"$out" || fail "status without the model: $out"
  grep -q '^connection  *receiver$' <<<"$out" || fail "status without the receiver: $out"
  grep -q '^online  *yes$' <<<"$out" || fail "status not online: $out"
  [ -d "$home/data/t/db" ] || fail "no database folder in the fresh data folder"
}

# --- cmake --install into a temporary prefix
prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/tessaly bin/tessalyctl \
  share/tessaly/config.xml share/tessaly/device/tx7w.xml share/tessaly/language/1033.lan \
  share/tessaly/skins/default/Tessaly.ico share/tessaly/skins/default/device/tx7w.png \
  lib/udev/rules.d/70-tessaly.rules share/applications/tessaly.desktop \
  share/metainfo/org.example.tessaly.metainfo.xml \
  share/icons/hicolor/16x16/apps/tessaly.png share/icons/hicolor/256x256/apps/tessaly.png \
  share/man/man1/tessaly.1 share/man/man1/tessalyctl.1 \
  share/bash-completion/completions/tessalyctl share/zsh/vendor-completions/_tessalyctl; do
  [ -s "$prefix/$file" ] || fail "cmake --install left out $file"
done
[ ! -e "$prefix/bin/config.xml" ] || fail "the program folder landed in bin/"
[ ! -e "$prefix/share/tessaly/language/src" ] || fail "the language tables were installed"
[ ! -e "$prefix/share/tessaly/skins/src" ] || fail "the image generators were installed"
[ -z "$(find "$prefix/share/tessaly" -name '.*')" ] || fail "hidden files were installed"
cmp -s "$build/packaging/70-tessaly.rules" "$prefix/lib/udev/rules.d/70-tessaly.rules" ||
  fail "the installed rule is not the generated one"

# The desktop entry starts what bin/ holds and names the installed icon.
grep -qx 'Exec=tessaly' "$prefix/share/applications/tessaly.desktop" || fail "desktop Exec"
grep -qx 'Icon=tessaly' "$prefix/share/applications/tessaly.desktop" || fail "desktop Icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/tessaly.desktop"
fi
# The software centre's entry: valid, naming the desktop entry installed
# beside it and the version the package has.
metainfo="$prefix/share/metainfo/org.example.tessaly.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$tmp/appstream.out" 2>&1 ||
  fail "appstreamcli validate: $(cat "$tmp/appstream.out")"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ -e "$prefix/share/applications/$launchable" ] || fail "metainfo launches '$launchable', not installed"
version=$("$prefix/bin/tessaly" --version | grep -o '[0-9][0-9.]*' | head -1)
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
for page in tessaly tessalyctl; do
  warnings=$(groff -man -ww -z "$prefix/share/man/man1/$page.1" 2>&1) || fail "groff on $page.1"
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done

# The installed GUI, offscreen: the window with the virtual mouse, saved.
home="$tmp/gui"
fresh_home "$home"
in_home "$home" timeout 60 "$prefix/bin/tessaly" --emulate --data-dir "$home/data/t/" \
  --screenshot "$tmp/shot.png" --page performance >"$tmp/gui.out" 2>&1 ||
  fail "installed tessaly --screenshot: $(cat "$tmp/gui.out")"
[ "$(head -c 8 "$tmp/shot.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "no PNG screenshot: $(cat "$tmp/gui.out")"
[ "$(stat -c %s "$tmp/shot.png")" -gt 10000 ] || fail "the screenshot is nearly empty"

check_status "$prefix/bin/tessalyctl" "$tmp/cli"

# --- the Debian package
command -v cpack >/dev/null || fail "cpack is missing"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.out" 2>&1 ||
  fail "cpack: $(cat "$tmp/cpack.out")"
debs=("$tmp"/pkg/tessaly_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no tessaly_*.deb: $(ls "$tmp/pkg")"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
has_dependency() {  # a package name among the Depends entries (alternatives too)
  tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' | grep -Fxq "$1"
}
# zlib is not among them: only minizip links it, and libminizip1 depends on it.
for package in libqt6widgets6 libqt6gui6 libqt6core6 libhidapi-hidraw0 libsqlite3-0 libudev1 \
  libevdev2 libcurl4 libminizip1 libc6; do
  has_dependency "$package" || fail "Depends lacks $package: $depends"
done
# Every library the binaries link is the package's dependency.
for binary in "$prefix/bin/tessaly" "$prefix/bin/tessalyctl"; do
  for soname in $(readelf -d "$binary" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
    path=$(ldd "$binary" | awk -v name="$soname" '$1 == name { print $3 }')
    [ -n "$path" ] || fail "$soname of $binary is not found"
    owner=""
    for candidate in "$path" "$(readlink -f "$path")" "${path#/usr}" "/usr$path"; do
      owner=$(dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1) && [ -n "$owner" ] && break
    done
    [ -n "$owner" ] || fail "no package holds $path"
    has_dependency "$owner" || fail "Depends lacks $owner ($soname): $depends"
  done
done
[ "$(dpkg-deb -f "$deb" Package)" = tessaly ] || fail "package name"

contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/tessaly ./usr/bin/tessalyctl ./usr/share/tessaly/config.xml \
  ./usr/lib/udev/rules.d/70-tessaly.rules ./usr/share/applications/tessaly.desktop \
  ./usr/share/metainfo/org.example.tessaly.metainfo.xml \
  ./usr/share/icons/hicolor/48x48/apps/tessaly.png ./usr/share/man/man1/tessalyctl.1; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done

# The maintainer script that applies the rule at once is there and parses.
dpkg-deb -e "$deb" "$tmp/control"
[ -x "$tmp/control/postinst" ] || fail "the package has no postinst"
sh -n "$tmp/control/postinst" || fail "postinst does not parse"
grep -q 'udevadm trigger --subsystem-match=hidraw' "$tmp/control/postinst" || fail "postinst"

root="$tmp/root"
dpkg -x "$deb" "$root"
check_status "$root/usr/bin/tessalyctl" "$tmp/deb-cli"

echo "install tree and package: ok ($(basename "$deb"))"
