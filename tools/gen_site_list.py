#!/usr/bin/python3
"""Writes data/uvola.obs, the site list shipped with Uvola.

The places are the principal locations of the time zones in tzdata's
zone1970.tab (public domain), named "City (Country)" with the country names
of iso3166.tab, plus Greenwich, the program's built-in site. Each site gets
the standard (winter, non-DST) offset of its zone: the smaller of the UTC
offsets in mid-January and mid-July 2025. Altitudes are not in the tables and
are written as 0, except Greenwich's.

The site list format has no comment lines (every line of the file is listed
in the site dialog), so the file carries no header; data/SOURCES.md records
where it comes from.

Usage: tools/gen_site_list.py [ZONEINFO_DIR] [OUTPUT]
"""

import datetime
import os
import sys
import unicodedata
import zoneinfo

RECORD_LENGTH = 70
NAME_WIDTH = 40

GREENWICH = ("Greenwich (United Kingdom)", 0.0, 51.477, 50, 0.0)

# Country names of iso3166.tab that read awkwardly inside "City (Country)".
COUNTRY_NAMES = {
    "AS": "American Samoa",
    "CC": "Cocos Islands",
    "CD": "DR Congo",
    "CG": "Congo",
    "GB": "United Kingdom",
    "KP": "North Korea",
    "KR": "South Korea",
    "MF": "St Martin",
    "MM": "Myanmar",
    "SX": "St Maarten",
    "SZ": "Eswatini",
    "US": "United States",
    "VG": "British Virgin Islands",
    "VI": "US Virgin Islands",
    "WS": "Samoa",
}

REFERENCE_INSTANTS = [
    datetime.datetime(2025, 1, 15, 12, tzinfo=datetime.timezone.utc),
    datetime.datetime(2025, 7, 15, 12, tzinfo=datetime.timezone.utc),
]


def table_rows(path):
    with open(path, encoding="utf-8") as table:
        for line in table:
            if line.startswith("#") or not line.strip():
                continue
            yield line.rstrip("\n").split("\t")


def iso6709_degrees(text, degree_digits):
    """Degrees of one ISO 6709 coordinate: sign, degrees, MM or MMSS."""
    sign = -1.0 if text[0] == "-" else 1.0
    digits = text[1:]
    degrees = int(digits[:degree_digits])
    minutes = int(digits[degree_digits:degree_digits + 2])
    seconds = int(digits[degree_digits + 2:] or 0)
    return sign * (degrees + minutes / 60.0 + seconds / 3600.0)


def split_coordinates(text):
    """Latitude and longitude of "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS"."""
    cut = max(text.rfind("+"), text.rfind("-"))
    return iso6709_degrees(text[:cut], 2), iso6709_degrees(text[cut:], 3)


def standard_offset_hours(zone_name, zoneinfo_dir):
    with open(os.path.join(zoneinfo_dir, zone_name), "rb") as tzif:
        zone = zoneinfo.ZoneInfo.from_file(tzif, key=zone_name)
    offsets = [instant.astimezone(zone).utcoffset() for instant in REFERENCE_INSTANTS]
    return min(offsets).total_seconds() / 3600.0


def ascii_text(text):
    """The text without accents: the file must read the same in any locale."""
    decomposed = unicodedata.normalize("NFKD", text)
    return "".join(c for c in decomposed if not unicodedata.combining(c)).encode("ascii").decode()


def site_name(zone_name, country):
    city = zone_name.rsplit("/", 1)[-1].replace("_", " ")
    name = ascii_text("%s (%s)" % (city, country))
    return name if len(name) <= NAME_WIDTH else city[:NAME_WIDTH]


def record_line(name, longitude, latitude, altitude, zone):
    """One record: the layout the site dialogs write."""
    line = "%-40.40s %7.3f%c %6.3f%c %4d %c%05.2f " % (
        name,
        abs(longitude), "W" if longitude < 0 else "E",
        abs(latitude), "S" if latitude < 0 else "N",
        altitude,
        "-" if zone < 0 else "+", abs(zone))
    assert len(line) == RECORD_LENGTH, line
    return line + "\n"


def main():
    zoneinfo_dir = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/zoneinfo"
    output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data", "uvola.obs")

    countries = {row[0]: row[1] for row in table_rows(os.path.join(zoneinfo_dir, "iso3166.tab"))}
    countries.update(COUNTRY_NAMES)

    sites = {GREENWICH[0]: GREENWICH}
    for row in table_rows(os.path.join(zoneinfo_dir, "zone1970.tab")):
        codes, coordinates, zone_name = row[0], row[1], row[2]
        country = countries[codes.split(",")[0]]
        name = site_name(zone_name, country)
        latitude, longitude = split_coordinates(coordinates)
        assert name not in sites, name
        sites[name] = (name, longitude, latitude, 0, standard_offset_hours(zone_name, zoneinfo_dir))

    with open(output, "w", encoding="ascii", newline="\n") as out:
        for name in sorted(sites):
            out.write(record_line(*sites[name]))


if __name__ == "__main__":
    main()
