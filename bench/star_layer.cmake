# The built-in star layer alone, every star of the catalogue within the
# limit (needs an X display: run it under tests/harness/uvola-test-env --xvfb).
uvola_benchmark(star_layer_bench SOURCES star_layer_bench.cpp LIBS uvola_sky Uvola::Motif)
