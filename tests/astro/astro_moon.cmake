# The Moon: place, librations, new moons, age and phase. libnova's ELP
# 2000-82B and ERFA are the oracles, linked here only.
uvola_test(astro_moon_test SOURCES astro_moon_test.cpp LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
