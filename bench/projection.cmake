# Nanoseconds per point of the fast, precise and whole-sky projections.
uvola_benchmark(projection_bench SOURCES projection_bench.cpp LIBS uvola_sky)
