# Targets, object positions and screen points. ERFA is an oracle for
# precession here only.
uvola_test(sky_targets_test SOURCES sky_targets_test.cpp sky_targets_view_test.cpp
           LIBS uvola_sky ${ERFA_LIBRARY})
