# Comet and minor-planet orbits, places, paths and rise/set against the
# universal-variable two-body oracle with ERFA's Earth, over every record of
# the element files in data/; the comet tails against a numerical
# integration of the particles.
uvola_test(astro_small_body_orbit_test SOURCES astro_small_body_orbit_test.cpp
           LIBS uvola_sky uvola_astro ${ERFA_LIBRARY})
target_compile_definitions(astro_small_body_orbit_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
uvola_test(astro_comet_tails_test SOURCES astro_comet_tails_test.cpp LIBS uvola_sky uvola_astro ${ERFA_LIBRARY})
target_compile_definitions(astro_comet_tails_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# Places and rise/set times against PyEphem's, kept in tests/data.
uvola_test(astro_small_body_places_test SOURCES astro_small_body_places_test.cpp LIBS uvola_astro ${ERFA_LIBRARY})
target_compile_definitions(astro_small_body_places_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
