# Start-up of the real program: time from exec to the first prompt on the
# command port, resident memory then, and the round trips to the X server
# until then, counted by a library preloaded into the program. Needs an X display and a private
# home; run it under the test harness:
#   tests/harness/uvola-test-env --xvfb -- build/bench/startup_bench
uvola_benchmark(startup_bench SOURCES startup_bench.cpp LIBS)
target_compile_definitions(startup_bench PRIVATE UVOLA_PROGRAM="$<TARGET_FILE:uvola>")
add_dependencies(startup_bench uvola)
target_include_directories(startup_bench PRIVATE "${PROJECT_SOURCE_DIR}")
add_library(uvola_round_trip_counter MODULE round_trip_counter.c)
target_link_libraries(uvola_round_trip_counter PRIVATE ${CMAKE_DL_LIBS})
target_compile_definitions(startup_bench PRIVATE
                           UVOLA_ROUND_TRIP_COUNTER="$<TARGET_FILE:uvola_round_trip_counter>")
add_dependencies(startup_bench uvola_round_trip_counter)

# The yardstick uvola's start-up is measured against: a Motif program with
# a menu bar and a drawing area, timed to its first Expose.
add_executable(minimal_motif minimal_motif.cpp)
target_link_libraries(minimal_motif PRIVATE Uvola::Motif)
target_compile_definitions(startup_bench PRIVATE MINIMAL_MOTIF_PROGRAM="$<TARGET_FILE:minimal_motif>")
add_dependencies(startup_bench minimal_motif)
