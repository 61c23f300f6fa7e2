#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# test_packaging.sh SOURCE_DIR BUILD_DIR GUI CMAKE
# Checks what installing puts on a desktop:
#   - the desktop entry passes desktop-file-validate (errors and warnings fail;
#     hints are reported but pass) and holds the keys the menu needs;
#   - the icon is well-formed SVG;
#   - `cmake --install` (with --prefix, and with DESTDIR) lays out the programs,
#     the entry and the icon where the entry says, and the installed
#     veltrax-ephem runs.
# GUI is ON when the window program is built (entry and icon are installed only then).
set -u
src=$1 build=$2 gui=$3 cmake=$4
entry=$src/packaging/veltrax.desktop
icon=$src/packaging/veltrax.svg
. "$src/tests/support/checks.sh"
need desktop-file-validate desktop-file-utils
need xmllint libxml2-utils

# --- the desktop entry ---
out=$(desktop-file-validate "$entry" 2>&1); rc=$?
[ -n "$out" ] && echo "$out"
[ $rc -eq 0 ] || fail "desktop-file-validate exited with $rc"
if echo "$out" | grep -v ': hint: ' | grep -q .; then
  fail "desktop-file-validate reported errors or warnings"
fi

# key VALUE: the entry's [Desktop Entry] group holds key=VALUE exactly.
key() {
  local got
  got=$(sed -n '/^\[Desktop Entry\]/,/^\[/p' "$entry" | grep -m1 -F "$1=" | cut -d= -f2-)
  [ "$got" = "$2" ] || fail "entry: $1 is '${got}', wanted '$2'"
}
key Type Application
key Name Veltrax
key Exec veltrax
key Icon veltrax
key Terminal false
key Categories 'Education;Science;Astronomy;'
grep -q '^Comment=.' "$entry" || fail "entry: no English Comment"
grep -q '^Comment\[ja\]=.' "$entry" || fail "entry: no Comment[ja]"
grep -E '^Comment\[ja\]=' "$entry" | LC_ALL=C grep -q $'[\x80-\xff]' \
  || fail "entry: Comment[ja] is not Japanese"

# --- the icon ---
xmllint --noout "$icon" || fail "icon: $icon is not well-formed XML"
root=$(xmllint --xpath 'local-name(/*)' "$icon" 2>/dev/null)
[ "$root" = svg ] || fail "icon: root element is '$root', wanted 'svg'"
grep -q 'viewBox=' "$icon" || fail "icon: no viewBox, it would not scale"

# --- the installed layout ---
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check_tree() {   # check_tree ROOT: ROOT/bin, ROOT/share as installed
  local r=$1
  [ -x "$r/bin/veltrax-ephem" ] || fail "install: no $r/bin/veltrax-ephem"
  if [ "$gui" = ON ]; then
    [ -x "$r/bin/veltrax" ] || fail "install: no $r/bin/veltrax (the entry's Exec)"
    cmp -s "$entry" "$r/share/applications/org.example.veltrax.desktop" \
      || fail "install: $r/share/applications/org.example.veltrax.desktop missing or different"
    cmp -s "$icon" "$r/share/icons/hicolor/scalable/apps/veltrax.svg" \
      || fail "install: $r/share/icons/hicolor/scalable/apps/veltrax.svg (the entry's Icon) missing or different"
  fi
}

if "$cmake" --install "$build" --prefix "$tmp/prefix" >"$tmp/log" 2>&1; then
  check_tree "$tmp/prefix"
  got=$("$tmp/prefix/bin/veltrax-ephem" --fields 2021 8 20 12 0 0 2>&1)
  echo "$got" | grep -q '2459446.62589' \
    || fail "installed veltrax-ephem: wanted the Julian Day 2459446.62589 in its output, got: $got"
else
  cat "$tmp/log" >&2; fail "cmake --install --prefix failed"
fi

if DESTDIR=$tmp/stage "$cmake" --install "$build" --prefix /usr >"$tmp/log" 2>&1; then
  check_tree "$tmp/stage/usr"
else
  cat "$tmp/log" >&2; fail "DESTDIR=... cmake --install failed"
fi

[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "packaging: entry, icon and installed layout OK"
