#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# test_debian_package.sh SOURCE_DIR BUILD_DIR GUI CMAKE
# Builds the Debian package from BUILD_DIR (CPack, into a temporary folder) and
# checks it as a distribution's packager would:
#   - lintian reports no error and no warning;
#   - the AppStream metadata passes appstreamcli validate --no-net, names an
#     installed desktop entry and the installed programs;
#   - each manual page renders with man -l without a warning, has a NAME line
#     for whatis, documents every option its program's --help lists, and is
#     found by `man NAME` in the package's tree;
#   - the package's version is the one both programs print and the changelog's;
#   - `cmake --install` to a prefix installs the pages but not the package's
#     copyright and changelog.
set -u
src=$1 build=$2 gui=$3 cmake=$4
. "$src/tests/support/checks.sh"
need lintian lintian; need appstreamcli appstream; need man man-db
need lexgrog man-db; need dpkg-deb dpkg; need dpkg-parsechangelog dpkg-dev
need xmllint libxml2-utils
cpack=$(dirname "$cmake")/cpack

programs=(veltrax-ephem)
[ "$gui" = ON ] && programs+=(veltrax)
for p in "${programs[@]}"; do
  [ -f "$build/man/$p.1.gz" ] || {
    echo "FAIL: no manual page $build/man/$p.1.gz: help2man was missing when CMake configured" \
         "the build; install the Debian package help2man and configure again" >&2
    exit 1
  }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# --- the package and lintian ---
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/pkg" >"$tmp/log" 2>&1 \
  || { cat "$tmp/log" >&2; echo "FAIL: cpack could not build the package" >&2; exit 1; }
deb=$(ls "$tmp"/pkg/veltrax_*.deb)
out=$(lintian --fail-on error,warning "$deb" 2>&1); rc=$?
[ -n "$out" ] && echo "$out"
[ $rc -eq 0 ] || fail "lintian exited with $rc"
echo "$out" | grep -q '^[EW]: ' && fail "lintian reported errors or warnings"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
for f in copyright changelog.gz; do
  [ -f "$root/usr/share/doc/veltrax/$f" ] || fail "package: no /usr/share/doc/veltrax/$f"
done

# --- one version everywhere ---
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/veltrax/changelog.gz" >"$tmp/changelog"
got=$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)
[ "$got" = "$version" ] || fail "changelog: latest entry is $got, the package is $version"
for p in "${programs[@]}"; do
  got=$("$root/usr/bin/$p" --version)
  [ "$got" = "$p $version" ] || fail "$p --version printed '$got', wanted '$p $version'"
done

# --- AppStream ---
out=$(appstreamcli validate --no-net "$src/packaging/veltrax.metainfo.xml" 2>&1) \
  || fail "appstreamcli validate --no-net failed"
echo "$out"
if [ "$gui" = ON ]; then   # the metadata describes the window program
  meta=$(ls "$root"/usr/share/metainfo/*.metainfo.xml)
  id=$(xmllint --xpath 'string(/component/id)' "$meta")
  [ "$(basename "$meta")" = "$id.metainfo.xml" ] || fail "metainfo: installed as $(basename "$meta"), id is $id"
  desktop=$(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$meta")
  [ -f "$root/usr/share/applications/$desktop" ] || fail "metainfo: launchable $desktop is not installed"
  for b in $(xmllint --xpath '/component/provides/binary/text()' "$meta"); do
    [ -x "$root/usr/bin/$b" ] || fail "metainfo: provided binary $b is not installed"
  done
fi

# --- the manual pages ---
for p in "${programs[@]}"; do
  page=$root/usr/share/man/man1/$p.1.gz
  err=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >/dev/null)
  [ $? -eq 0 ] && [ -z "$err" ] || fail "man -l $p.1.gz: $err"
  LC_ALL=C.UTF-8 MANWIDTH=400 man -E UTF-8 -l "$page" >"$tmp/$p.txt" 2>/dev/null   # few line breaks
  lexgrog "$page" | grep -q ": \"$p - ." || fail "$p.1: no NAME line for whatis: $(lexgrog "$page")"
  for opt in $("$root/usr/bin/$p" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$opt" "$tmp/$p.txt" || fail "$p.1 does not mention $opt, which --help lists"
  done
  MANPATH= man -M "$root/usr/share/man" -w "$p" >/dev/null 2>&1 || fail "man $p does not find the page"
done

# --- make install: the pages, not the package's own documents ---
if "$cmake" --install "$build" --prefix "$tmp/prefix" >"$tmp/log" 2>&1; then
  for p in "${programs[@]}"; do
    cmp -s "$tmp/prefix/share/man/man1/$p.1.gz" "$build/man/$p.1.gz" || fail "install: no $p.1.gz"
  done
  [ -e "$tmp/prefix/share/doc/veltrax" ] && fail "install: share/doc/veltrax is the package's only"
else
  cat "$tmp/log" >&2; fail "cmake --install --prefix failed"
fi

[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "Debian package: lintian, AppStream, manual pages and versions OK"
