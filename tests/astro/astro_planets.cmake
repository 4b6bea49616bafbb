# Planet positions, the long-range model, Kepler's equation, the orbit
# curves, magnitudes and axes against libnova's VSOP87 and Pluto, ERFA's
# eraPlan94 and eraEpv00, and Meeus's worked examples.
uvola_test(astro_planets_test SOURCES astro_planets_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
# Some ten seconds of VSOP87 on an idle machine; minutes when the machine is
# busy, so the limit is wider than the usual five minutes.
set_tests_properties(astro_planets_test PROPERTIES TIMEOUT 900)
