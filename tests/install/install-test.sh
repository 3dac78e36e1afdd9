#!/usr/bin/env bash
# Installs the build into a temporary prefix as a packager would, checks what lands where and
# that the desktop files validate, then runs the installed programs from a read-only copy.
# Usage: install-test.sh BUILD_DIR FIXTURES_DIR
set -euo pipefail
build=$1
fixtures=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
validate() {
    if command -v "$1" >/dev/null; then "$@"; else
        echo "$1 is not installed (scripts/setup.sh --tests installs it)"; fi
}

prefix=$work/prefix
share=$prefix/share
cmake --install "$build" --prefix "$prefix" >/dev/null
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "daywise daywise-actdb " ] ||
    fail "bin/ holds $(ls "$prefix/bin" | tr '\n' ' ')"
for f in daywise/html/Daywise.htm daywise/html/Daywise.css daywise/html/rtodo.gif \
    daywise/Daywise.bmp daywise/daywise.ico applications/com.example.daywise.desktop \
    metainfo/com.example.daywise.metainfo.xml man/man1/daywise.1 man/man1/daywise-actdb.1 \
    doc/daywise/LICENSE icons/hicolor/256x256/apps/daywise.png; do
    [ -s "$share/$f" ] || fail "share/$f is missing"
done
grep -q "^Icon=daywise$" "$share/applications/com.example.daywise.desktop" || fail "desktop icon"
grep -q "Build DB from a fixture" "$share/man/man1/daywise-actdb.1" || fail "daywise-actdb(1) lacks the commands"
validate desktop-file-validate "$share/applications/com.example.daywise.desktop"
validate appstreamcli validate --no-net --pedantic "$share/metainfo/com.example.daywise.metainfo.xml"

# The installed tree, read-only: the calendar goes to the user's data folder.
readonly_copy=$work/readonly
cp -a "$prefix" "$readonly_copy"
chmod -R a-w "$readonly_copy"
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
export DAYWISE_ACT_HOME=$work/act XDG_DATA_DIRS=$work/no-data-dirs
html=$XDG_DATA_HOME/Daywise/html
"$readonly_copy/bin/daywise-actdb" import "$work/week.actdb" "$fixtures/engine-week.json" >/dev/null
"$readonly_copy/bin/daywise-actdb" open "$work/week.actdb" >/dev/null
page=$("$readonly_copy/bin/daywise" --create --start 2024-03-11 --week)
[ "$page" = "$html/Daywise.htm" ] || fail "the page is said to be $page"
for f in Daywise.htm Daywise.css call.gif data.js script.js; do
    [ -s "$html/$f" ] || fail "$f is not in the user's folder"
done
grep -q "Ldaydate='2024 3 17'" "$html/data.js" || fail "wrong range"

# A program away from its tree finds the page in the system's data folders ...
mkdir "$work/alone"
cp "$prefix/bin/daywise" "$work/alone/"
rm -rf "$html"
XDG_DATA_DIRS=$readonly_copy/share "$work/alone/daywise" --create --start 2024-03-11 --week \
    >/dev/null || fail "the page in XDG_DATA_DIRS was not found"
cmp -s "$share/daywise/html/Daywise.css" "$html/Daywise.css" ||
    fail "the page was not copied from XDG_DATA_DIRS"

# ... and without one it says so and fails, rather than naming a missing page.
rm -rf "$html"
status=0
page=$("$work/alone/daywise" --create --start 2024-03-11 --week 2>"$work/err") || status=$?
[ "$status" = 1 ] && [ -z "$page" ] || fail "without the shipped page: status $status, page $page"
grep -q "Daywise.htm" "$work/err" || fail "the missing page is not named: $(cat "$work/err")"
echo "install test passed"
