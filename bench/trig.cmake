uvola_benchmark(trig_bench SOURCES trig_bench.cpp LIBS uvola_astro)
