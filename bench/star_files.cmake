# The SAO star file and Guide Star Catalog layers at 1280 x 1024, each with
# its ratio to the X server's floor for the same picture (needs an X
# display: run it under tests/harness/uvola-test-env --xvfb). The catalogue
# trees are made on first use under $TMPDIR, or taken from UVOLA_GSC_TREE
# (a --test tree) and UVOLA_GSC_FULL (a --full tree, for the whole-sky
# figure only).
uvola_benchmark(star_files_bench SOURCES star_files_bench.cpp LIBS uvola_sky Uvola::Motif)
target_compile_definitions(star_files_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
