# Precession and coordinate conversion beside ERFA; ERFA is linked here only.
uvola_benchmark(precession_bench
                SOURCES precession_bench.cpp
                LIBS uvola_astro ${ERFA_LIBRARY})
