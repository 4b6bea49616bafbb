# The planet tables are fitted for minutes to an npm package kept outside
# the repository, so instead of rerunning their generators the tests check
# that each stamps its source's SHA-256, that its generator checks the same,
# and that data/SOURCES.md records it. (The math tables and the Moon's
# series are regenerated in generators.cmake.)
add_test(NAME gen_planet_tables_source_checksums
         COMMAND /usr/bin/python3 "${PROJECT_SOURCE_DIR}/tools/check_table_sources.py" "${PROJECT_SOURCE_DIR}"
                 astro/planet_series_tables.cpp astro/planet_element_tables.cpp astro/earth_series_tables.cpp)
