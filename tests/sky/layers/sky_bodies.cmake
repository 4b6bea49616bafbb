# The Sun, Moon, planets and satellites layer drawn on Xvfb and read back.
uvola_gui_test(sky_bodies_test SOURCES sky_bodies_test.cpp LIBS uvola_sky uvola_astro Uvola::Motif)
# The Moon through the command port: LOOK MOON, GSAVE, the image read back.
uvola_e2e_test(bodies_e2e SCRIPT bodies_e2e.py PROGRAM uvola)
