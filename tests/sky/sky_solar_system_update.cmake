# The solar-system update driver: what each redraw recomputes, the eclipse
# magnitude, the phase of the planets.
uvola_test(sky_solar_system_update_test SOURCES sky_solar_system_update_test.cpp
           LIBS uvola_sky uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
