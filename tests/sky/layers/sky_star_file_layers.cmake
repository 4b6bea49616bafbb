# The SAO star file and Guide Star Catalog layers drawn on Xvfb: the region
# and zone choice against an oracle, the kept choice, the SAO zone's end.
uvola_gui_test(sky_star_file_layers_test SOURCES sky_star_file_layers_test.cpp LIBS uvola_sky Uvola::Motif)
target_compile_definitions(sky_star_file_layers_test PRIVATE UVOLA_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
