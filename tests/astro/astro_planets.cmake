# Planet positions, the long-range model, Kepler's equation, the orbit
# curves, magnitudes and axes against libnova's VSOP87 and Pluto, ERFA's
# eraPlan94 and eraEpv00, and Meeus's worked examples.
uvola_test(astro_planets_test SOURCES astro_planets_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
