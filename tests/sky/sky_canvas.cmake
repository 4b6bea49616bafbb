# The canvas and redraw road, the palette and the sky ramps (also on an
# 8-bit PseudoColor server, where the ramp cells are writable), the font
# sets.
uvola_gui_test(sky_canvas_test SOURCES sky_canvas_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_colors_test DEPTH8 SOURCES sky_colors_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_fonts_test SOURCES sky_fonts_test.cpp LIBS uvola_sky Uvola::Motif)
