# One solar-system update at a new instant beside libnova computing the same
# bodies; libnova and ERFA (for its frames) are linked here only.
uvola_benchmark(solar_system_bench
                SOURCES solar_system_bench.cpp
                LIBS uvola_sky uvola_astro ${NOVA_LIBRARY} ${ERFA_LIBRARY})
target_compile_definitions(solar_system_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(solar_system_bench PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")

# The minor-planet index built from the shipped file, and one keyed read.
uvola_benchmark(element_files_bench SOURCES element_files_bench.cpp LIBS uvola_sky uvola_astro)
target_compile_definitions(element_files_bench PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(element_files_bench PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
