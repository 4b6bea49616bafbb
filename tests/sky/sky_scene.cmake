uvola_test(sky_scene_test SOURCES sky_scene_test.cpp LIBS uvola_sky)
