# Calendar, time records, sidereal time, precession and coordinate
# conversion. ERFA and libnova serve as independent oracles here only.
uvola_test(astro_time_calendar_test SOURCES astro_time_calendar_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY} ${NOVA_LIBRARY})
uvola_test(astro_precession_test SOURCES astro_precession_test.cpp LIBS uvola_astro ${ERFA_LIBRARY})
