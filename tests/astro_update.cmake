# Jupiter's satellites against Meeus's low-accuracy theory with ERFA's
# Jupiter, and the solar-system update driver: what each redraw recomputes,
# the eclipse magnitude, the phase of the planets.
uvola_test(astro_jovian_test SOURCES astro_jovian_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY})
uvola_test(astro_update_test SOURCES astro_update_test.cpp
           LIBS uvola_sky uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
