# Mean elements, Kepler's equation and the orbit curves against ERFA's
# eraPlan94 and libnova.
uvola_test(astro_elements_test SOURCES astro_elements_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
