# Options file, locale, application resources and data-file set-up, site list.
uvola_test(core_options_test SOURCES core_options_test.cpp LIBS uvola_core)
