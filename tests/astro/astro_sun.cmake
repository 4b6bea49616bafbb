# The Sun's place, distance and physical ephemeris against ERFA and libnova.
uvola_test(astro_sun_test SOURCES astro_sun_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
