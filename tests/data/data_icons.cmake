# The icon buttons' pictures: the committed files are what tools/gen_icons.py
# writes today, and every picture loads with libXpm on a 24-bit TrueColor
# server and on an 8-bit PseudoColor one.
add_test(NAME gen_icons_reproducible
         COMMAND sh -c "status=1; out=$(mktemp -d) && /usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_icons.py' \"$out\" && status=0 && for f in xpm_icon.h toolbar_icons.h toolbar_icons.cpp step_box_icons.h step_box_icons.cpp info_box_icons.h info_box_icons.cpp image_viewer_icons.h image_viewer_icons.cpp; do cmp \"$out/$f\" '${PROJECT_SOURCE_DIR}/data/'$f || status=1; done; [ $(ls \"$out\" | wc -l) -eq 9 ] || status=1; rm -rf \"$out\"; exit $status")
uvola_gui_test(data_icons_test SOURCES data_icons_test.cpp LIBS uvola_data X11::Xpm X11::X11)
add_test(NAME data_icons_depth8_test
         COMMAND "${UVOLA_TEST_ENV}" --depth8 -- $<TARGET_FILE:data_icons_test>)
set_tests_properties(data_icons_depth8_test PROPERTIES TIMEOUT 300 LABELS gui)
