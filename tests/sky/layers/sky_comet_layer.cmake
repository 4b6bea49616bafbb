# Comets, minor planets and orbits drawn on Xvfb and read back.
uvola_gui_test(sky_comet_layer_test SOURCES sky_comet_layer_test.cpp LIBS uvola_sky uvola_astro Uvola::Motif)
target_compile_definitions(sky_comet_layer_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# Comets through the command port: a sungrazer where PyEphem places it, and
# a tail that cannot be computed told by each redraw that tries it, in every view.
uvola_e2e_test(small_bodies_e2e SCRIPT small_bodies_e2e.py PROGRAM uvola)
