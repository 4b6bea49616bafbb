# The view commands through the interpreter, without a display.
uvola_test(command_view_test SOURCES command_view_test.cpp LIBS uvola_command)

# BLINK, LOOK and TRACK on a real canvas under Xvfb.
uvola_gui_test(command_view_gui_test SOURCES command_view_gui_test.cpp
               LIBS uvola_command Uvola::Motif)

# MODE, LOOK, VIEW, ZOOM, TRACK, BLINK and refused view commands sent to the
# running program through its command port, the chart read from GSAVE images.
uvola_e2e_test(view_e2e SCRIPT view_e2e.py PROGRAM uvola)
