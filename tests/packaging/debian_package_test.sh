#!/usr/bin/env bash
# Builds the Debian package with cpack, unpacks its files into a temporary root (dpkg -x) and
# runs the packaged bwtool on a packaged library file.
#   debian_package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
case "$depends" in *libqt6widgets6*) ;; *) echo "no Qt dependency found"; exit 1 ;; esac
dpkg -x "$deb" "$work/root"
"$work/root/usr/bin/bwtool" info "$work/root/usr/share/beastwright/Objects/Library/Head/Male-Square.bwo" \
    | grep -q '"bodyPart": 0'
[ -x "$work/root/usr/bin/beastwright" ] && [ -x "$work/root/usr/bin/beastwright-launcher" ]
echo "debian package: $(basename "$deb") unpacks and runs"
