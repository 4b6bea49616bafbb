# Built-in catalogues: table invariants, the generator's manifest, anchors
# against known places; object names, command references and name lookups.
uvola_test(sky_catalog_test SOURCES sky_catalog_test.cpp LIBS uvola_sky ${ERFA_LIBRARY})
target_compile_definitions(sky_catalog_test PRIVATE UVOLA_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
uvola_test(sky_names_test SOURCES sky_names_test.cpp LIBS uvola_sky)
uvola_gui_test(sky_catalog_star_layer_test SOURCES sky_catalog_star_layer_test.cpp LIBS uvola_sky Uvola::Motif)
