# Sky geometry: view set-up, projections, clipping and wrap-around lines.
uvola_test(sky_view_test SOURCES sky_view_test.cpp LIBS uvola_sky ${ERFA_LIBRARY})
uvola_test(sky_projection_test SOURCES sky_projection_test.cpp LIBS uvola_sky)
uvola_test(sky_clip_test SOURCES sky_clip_test.cpp LIBS uvola_sky)
uvola_gui_test(sky_clip_draw_test SOURCES sky_clip_draw_test.cpp LIBS uvola_sky X11::X11)
