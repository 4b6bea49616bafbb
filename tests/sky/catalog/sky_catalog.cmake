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
