# Element files, their index and the comet and minor-planet lists; realloc
# is wrapped so that a test can make it fail.
uvola_test(sky_element_files_test SOURCES sky_element_files_test.cpp LIBS uvola_sky uvola_astro)
target_compile_definitions(sky_element_files_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_options(sky_element_files_test PRIVATE "-Wl,--wrap=realloc")
# The element-file indexes built by the program at start-up.
uvola_e2e_test(element_index_e2e SCRIPT element_index_e2e.py PROGRAM uvola)
