# User-object and sky-mark files, the names and places of their objects;
# realloc is wrapped so that a test can make it fail.
uvola_test(sky_user_files_test SOURCES sky_user_files_test.cpp LIBS uvola_sky)
target_compile_definitions(sky_user_files_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_options(sky_user_files_test PRIVATE "-Wl,--wrap=realloc")
# The click-data file, its index and lookups, and picking with click data.
uvola_test(sky_click_data_test SOURCES sky_click_data_test.cpp LIBS uvola_sky)
target_compile_definitions(sky_click_data_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# The sample click data's pictures decode with libjpeg at their size.
uvola_test(sky_sample_pictures_test SOURCES sky_sample_pictures_test.cpp LIBS uvola_sky JPEG::JPEG)
target_compile_definitions(sky_sample_pictures_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# User-object files, the sky marks and the click data through the port.
uvola_e2e_test(user_files_e2e SCRIPT user_files_e2e.py PROGRAM uvola ARGS "${PROJECT_SOURCE_DIR}/data")
