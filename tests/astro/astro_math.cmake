# Degree trigonometry, vectors and matrices, Q14 fixed point, sexagesimal
# angles and hyperbolic functions. ERFA is the oracle for the rotations and the
# spherical conversions.
uvola_test(astro_trig_test SOURCES astro_trig_test.cpp LIBS uvola_astro ${ERFA_LIBRARY})
uvola_test(astro_fixed_point_test SOURCES astro_fixed_point_test.cpp LIBS uvola_astro ${ERFA_LIBRARY})
uvola_test(astro_sexagesimal_test SOURCES astro_sexagesimal_test.cpp LIBS uvola_astro)
uvola_test(astro_hyperbolic_test SOURCES astro_hyperbolic_test.cpp LIBS uvola_astro)
