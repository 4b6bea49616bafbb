# Built-in catalogues: table invariants, the generator's manifest, anchors
# against known places; object names, command references and name lookups;
# the name files and the site list.
uvola_test(sky_catalog_test SOURCES sky_catalog_test.cpp LIBS uvola_sky ${ERFA_LIBRARY})
target_compile_definitions(sky_catalog_test PRIVATE UVOLA_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
uvola_test(sky_names_test SOURCES sky_names_test.cpp LIBS uvola_sky)
uvola_test(sky_name_files_test SOURCES sky_name_files_test.cpp LIBS uvola_sky)
uvola_test(sky_site_list_test SOURCES sky_site_list_test.cpp LIBS uvola_sky)
target_compile_definitions(sky_site_list_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# The star files and their readers, crafted files, rows and paths.
uvola_test(sky_star_files_test SOURCES sky_star_files_test.cpp LIBS uvola_sky)
target_compile_definitions(sky_star_files_test PRIVATE UVOLA_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
# User-object and sky-mark files, the names and places of their objects;
# realloc is wrapped so that a test can make it fail.
uvola_test(sky_user_files_test SOURCES sky_user_files_test.cpp LIBS uvola_sky)
target_compile_definitions(sky_user_files_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_options(sky_user_files_test PRIVATE "-Wl,--wrap=realloc")
# The click-data file, its index and lookups, and picking with click data.
uvola_test(sky_click_data_test SOURCES sky_click_data_test.cpp LIBS uvola_sky)
target_compile_definitions(sky_click_data_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
