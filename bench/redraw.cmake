# Full redraw of the chart at 1280 x 1024 in HRZ, EQT and ALL2 (needs an X
# display: run it under tests/harness/uvola-test-env --xvfb).
uvola_benchmark(redraw_bench SOURCES redraw_bench.cpp LIBS uvola_sky Uvola::Motif)
