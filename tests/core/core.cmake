# Options file, locale, application resources, opening the files read.
uvola_test(core_options_test SOURCES core_options_test.cpp LIBS uvola_core)
uvola_test(core_locale_test SOURCES core_locale_test.cpp LIBS uvola_core)
uvola_test(core_resources_test SOURCES core_resources_test.cpp LIBS uvola_core)
uvola_gui_test(core_resources_gui_test SOURCES core_resources_gui_test.cpp LIBS uvola_sky uvola_core uvola_astro)
target_compile_definitions(core_resources_gui_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
uvola_test(core_regular_file_test SOURCES core_regular_file_test.cpp LIBS uvola_core)
uvola_test(core_replacement_file_test SOURCES core_replacement_file_test.cpp LIBS uvola_core)
