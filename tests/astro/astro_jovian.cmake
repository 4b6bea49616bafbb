# Jupiter's satellites against Meeus's low-accuracy theory with ERFA's
# Jupiter.
uvola_test(astro_jovian_test SOURCES astro_jovian_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY})
