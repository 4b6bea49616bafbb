# One solar-system update at a new instant beside libnova computing the same
# bodies; libnova and ERFA (for its frames) are linked here only.
uvola_benchmark(solar_system_bench
                SOURCES solar_system_bench.cpp
                LIBS uvola_sky uvola_astro ${NOVA_LIBRARY} ${ERFA_LIBRARY})
