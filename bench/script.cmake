# STL of a saved state with 1,000 and 100,000 minor planets, with and without its closing
# redraw (needs an X display: run it under tests/harness/uvola-test-env --xvfb).
# Goals: under 0.5 s for 1,000; loading 100,000 under 1.5 s.
uvola_benchmark(script_bench SOURCES script_bench.cpp LIBS uvola_command Uvola::Motif)
target_compile_definitions(script_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(script_bench PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
# Loading 100,000 minor planets as the minor-planet dialog's OK does (needs
# an X display). Goal: under 1.5 s.
uvola_benchmark(small_body_dialog_bench SOURCES small_body_dialog_bench.cpp LIBS uvola_dialogs Uvola::Motif)
target_compile_definitions(small_body_dialog_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(small_body_dialog_bench PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
