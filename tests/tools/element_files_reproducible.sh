#!/bin/sh
# The committed element files are what tools/gen_element_files.py writes
# from the JPL extracts of Debian's kstars-data 5:3.6.2-2. The package is
# fetched once into CACHE_DIR and checked against the checksum that
# data/SOURCES.md records; when no Debian archive can be reached the test
# is skipped (status 77).
#
# Usage: element_files_reproducible.sh ROOT CACHE_DIR
set -u
root=$1
cache=$2
deb="$cache/kstars-data_5%3a3.6.2-2_all.deb"
if [ ! -f "$deb" ]; then
    mkdir -p "$cache" && (cd "$cache" && apt-get download kstars-data=5:3.6.2-2 >/dev/null 2>&1) || exit 77
fi
sum=$(sha256sum "$deb" | cut -d' ' -f1)
if ! grep -q "$sum" "$root/data/SOURCES.md"; then
    echo "$deb: SHA-256 $sum is not the one data/SOURCES.md records"
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$work" ./usr/share/kstars/comets.dat ./usr/share/kstars/asteroids.dat
mkdir "$work/out"
/usr/bin/python3 "$root/tools/gen_element_files.py" "$work" "$work/out" >/dev/null || exit 1
for f in comet.elm mp.elm element_manifest.txt; do
    cmp "$work/out/$f" "$root/data/$f" || exit 1
done
