# Element files, their index and the comet and minor-planet lists; realloc
# is wrapped so that a test can make it fail.
uvola_test(sky_element_files_test SOURCES sky/element_files_test.cpp LIBS uvola_sky uvola_astro)
target_compile_definitions(sky_element_files_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(sky_element_files_test PRIVATE "${PROJECT_SOURCE_DIR}")
target_link_options(sky_element_files_test PRIVATE "-Wl,--wrap=realloc")
# Comets, minor planets and orbits drawn on Xvfb and read back.
uvola_gui_test(sky_comet_layer_test SOURCES sky/comet_layer_test.cpp LIBS uvola_sky uvola_astro Uvola::Motif)
target_compile_definitions(sky_comet_layer_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_include_directories(sky_comet_layer_test PRIVATE "${PROJECT_SOURCE_DIR}")
# The element-file indexes built by the program at start-up.
uvola_e2e_test(element_index_e2e SCRIPT element_index_e2e.py PROGRAM uvola)
