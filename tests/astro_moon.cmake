# The Moon: place, librations, new moons, age and phase. libnova's ELP
# 2000-82B and ERFA are the oracles, linked here only.
uvola_test(astro_moon_test
           SOURCES astro_moon_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
uvola_test(astro_moon_phase_test
           SOURCES astro_moon_phase_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
# The committed series terms are what the generator writes.
add_test(NAME gen_moon_series_reproducible
         COMMAND sh -c "out=$(mktemp -d) && /usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_moon_series.py' \"$out\" >/dev/null && cmp \"$out/moon_series_tables.cpp\" '${PROJECT_SOURCE_DIR}/astro/moon_series_tables.cpp'; status=$?; rm -rf \"$out\"; exit $status")
