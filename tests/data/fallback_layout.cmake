# The fallback list as a whole, without a display: its kinds of lines, the
# dialogs' titles and the layout lines the dialogs fix.
uvola_test(fallback_layout_test SOURCES fallback_layout_test.cpp LIBS uvola_data)
