# STL of a saved state with 1,000 minor planets, with and without its closing
# redraw (needs an X display: run it under tests/harness/uvola-test-env --xvfb).
# Goal: under 0.5 s.
uvola_benchmark(script_bench SOURCES script_bench.cpp LIBS uvola_command Uvola::Motif)
target_compile_definitions(script_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(script_bench PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
