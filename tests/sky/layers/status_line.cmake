# The status line's texts and drawing, and the disk, flattened-disk and
# phase polygons that the Moon icon and the bodies are drawn with.
uvola_test(status_line_test SOURCES status_line_test.cpp LIBS uvola_sky)
uvola_gui_test(status_line_draw_test SOURCES status_line_draw_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_disk_drawing_test SOURCES sky_disk_drawing_test.cpp LIBS uvola_sky Uvola::Motif)
