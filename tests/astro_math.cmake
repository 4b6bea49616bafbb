# Degree trigonometry, vectors and matrices, Q14 fixed point, sexagesimal
# and hyperbolic functions. ERFA is the oracle for the rotations and the
# spherical conversions.
uvola_test(astro_trig_test SOURCES astro_trig_test.cpp LIBS uvola_astro)
uvola_test(astro_trig_vectors_test SOURCES astro_trig_vectors_test.cpp
           LIBS uvola_astro ${ERFA_LIBRARY})
uvola_test(astro_fixed_point_test SOURCES astro_fixed_point_test.cpp LIBS uvola_astro)
uvola_test(astro_fixed_sexagesimal_hyperbolic_test SOURCES astro_fixed_sexagesimal_hyperbolic_test.cpp
           LIBS uvola_astro)

# The committed tables are what the generator writes today.
add_test(NAME gen_math_tables_reproducible
         COMMAND sh -c "out=$(mktemp -d) && /usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_math_tables.py' \"$out\" && for f in math_tables.h sine_table.cpp fixed_acos_table.cpp fixed_sqrt_table.cpp; do cmp \"$out/$f\" '${PROJECT_SOURCE_DIR}/astro/'$f || exit 1; done; rm -rf \"$out\"")
