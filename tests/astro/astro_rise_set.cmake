# Rise, transit, set and twilight times against astronomy-engine's answers
# kept in tests/data/rise_set_events.csv, the no-event cases and bad input.
uvola_test(astro_rise_set_test SOURCES astro_rise_set_test.cpp LIBS uvola_astro)
target_compile_definitions(astro_rise_set_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# Searches of different days and bodies interleaved give the answers they
# give alone.
uvola_test(astro_rise_set_reentry_test SOURCES astro_rise_set_reentry_test.cpp LIBS uvola_astro)
