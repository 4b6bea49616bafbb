# The mode, magnitude and display-option commands against the real Scene,
# without a display.
uvola_test(command_mode_test SOURCES command_mode_test.cpp LIBS uvola_command)
uvola_test(command_display_test SOURCES command_display_test.cpp LIBS uvola_command)

# Picking on scenes set up as a redraw sets them up, without a display.
uvola_test(sky_picking_test SOURCES sky_picking_test.cpp LIBS uvola_sky)
