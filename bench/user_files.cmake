# Reading the click-data file (10,000 entries; goal 50 ms) and a user-object
# file of 1,000 objects; no display needed.
uvola_benchmark(user_files_bench SOURCES user_files_bench.cpp LIBS uvola_sky)
target_include_directories(user_files_bench PRIVATE "${PROJECT_SOURCE_DIR}")
