# Start-up of the real program: time from exec to the first prompt on the
# command port, and resident memory then. Needs an X display and a private
# home; run it under the test harness:
#   tests/harness/uvola-test-env --xvfb -- build/bench/startup_bench
uvola_benchmark(startup_bench SOURCES startup_bench.cpp LIBS)
target_compile_definitions(startup_bench PRIVATE UVOLA_PROGRAM="$<TARGET_FILE:uvola>")
add_dependencies(startup_bench uvola)
target_include_directories(startup_bench PRIVATE "${PROJECT_SOURCE_DIR}")
