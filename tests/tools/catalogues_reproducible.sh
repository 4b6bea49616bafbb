#!/bin/sh
# The committed built-in catalogues and name files are what
# tools/gen_catalogues.py writes from d3-celestial 0.7.35 and the OpenNGC
# database of Debian's kstars-data 5:3.6.2-2. Both packages are fetched once
# into CACHE_DIR and checked against the checksums that data/SOURCES.md
# records; when neither registry can be reached the test is skipped
# (status 77).
#
# Usage: catalogues_reproducible.sh ROOT CACHE_DIR
set -u
root=$1
cache=$2
deb="$cache/kstars-data_5%3a3.6.2-2_all.deb"
tgz="$cache/d3-celestial-0.7.35.tgz"
mkdir -p "$cache" || exit 1
if [ ! -f "$deb" ]; then
    (cd "$cache" && apt-get download kstars-data=5:3.6.2-2 >/dev/null 2>&1) || exit 77
fi
if [ ! -f "$tgz" ]; then
    (cd "$cache" && npm pack d3-celestial@0.7.35 >/dev/null 2>&1) || exit 77
fi
for file in "$deb" "$tgz"; do
    sum=$(sha256sum "$file" | cut -d' ' -f1)
    if ! grep -q "$sum" "$root/data/SOURCES.md"; then
        echo "$file: SHA-256 $sum is not the one data/SOURCES.md records"
        exit 1
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$work" ./usr/share/kstars/OpenNGC.kscat
tar -xzf "$tgz" -C "$work"
mkdir "$work/out"
/usr/bin/python3 "$root/tools/gen_catalogues.py" "$work/package" "$work/usr/share/kstars/OpenNGC.kscat" \
    "$work/out" >/dev/null || exit 1
for f in catalog_star_table.cpp catalog_constellation_table.cpp catalog_nebula_table.cpp \
         consname.dat consname.dat.ja starname.dat catalog_manifest.txt; do
    cmp "$work/out/$f" "$root/data/$f" || exit 1
done
