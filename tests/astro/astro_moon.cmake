# The Moon: place, librations, new moons, age and phase. libnova's ELP
# 2000-82B and ERFA are the oracles, linked here only.
uvola_test(astro_moon_test SOURCES astro_moon_test.cpp LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
# Some ten seconds of ELP on an idle machine; minutes when the machine is
# busy, so the limit is wider than the usual five minutes.
set_tests_properties(astro_moon_test PROPERTIES TIMEOUT 900)
