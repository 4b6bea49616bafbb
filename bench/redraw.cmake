# Full redraws of the chart at 1280 x 1024 in HRZ, EQT and ALL2, each against
# the X server's floor for its own requests, the information box's lines
# composed after a redraw, and one step of the toolbar's zoom repeat through
# the interpreter (needs an X display: run it under
# tests/harness/uvola-test-env --xvfb).
uvola_benchmark(redraw_bench SOURCES redraw_bench.cpp redraw_floor.cpp
                LIBS uvola_mainwin uvola_command uvola_sky uvola_x_request_log Uvola::Motif)
# Redraws with 10,000 minor planets (EQT, ALL2) and 1,000 orbits (SOL1),
# each against the X server's floor for the same requests.
uvola_benchmark(small_body_redraw_bench SOURCES small_body_redraw_bench.cpp LIBS uvola_sky Uvola::Motif)
target_compile_definitions(small_body_redraw_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(small_body_redraw_bench PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
# The sky marks, 1,000 user objects and the picture marks of 500 click-data
# entries on the whole-sky map, each against the X server's floor for the
# same requests.
uvola_benchmark(mark_layers_bench SOURCES mark_layers_bench.cpp redraw_floor.cpp
                LIBS uvola_sky uvola_x_request_log Uvola::Motif)
target_compile_definitions(mark_layers_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
