# The program's own pieces in-process, and the program itself end to end
# through its command port.
uvola_gui_test(mainwin_test SOURCES mainwin_test.cpp LIBS uvola_mainwin)
# The information box's lines, composed without a display.
uvola_test(info_box_lines_test SOURCES info_box_lines_test.cpp LIBS uvola_mainwin)
# The box's rise and set, horizontal place and distances against
# astronomy-engine's times and ERFA.
uvola_test(info_box_oracle_test SOURCES info_box_oracle_test.cpp LIBS uvola_mainwin ${ERFA_LIBRARY})
target_compile_definitions(info_box_oracle_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# The pan command, the keys and the popup's lines and walk, likewise.
uvola_test(pointer_lines_test SOURCES pointer_lines_test.cpp LIBS uvola_mainwin)

add_executable(wm_delete_helper "${CMAKE_CURRENT_LIST_DIR}/wm_delete_helper.c")
target_link_libraries(wm_delete_helper PRIVATE X11::X11)

# uvola_window_e2e_test(NAME SCRIPT script.py): a script of tests/e2e that
# drives uvola and plays its window manager with wm_delete_helper, run as
# "python3 tests/e2e/script.py <uvola> <wm_delete_helper>".
function(uvola_window_e2e_test name)
  cmake_parse_arguments(ARG "" "SCRIPT" "" ${ARGN})
  add_test(NAME ${name}
           COMMAND "${UVOLA_TEST_ENV}" --xvfb --
                   /usr/bin/python3 "${UVOLA_E2E_DIR}/${ARG_SCRIPT}"
                   $<TARGET_FILE:uvola> $<TARGET_FILE:wm_delete_helper>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                       ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
endfunction()

# The program end to end through its command port, with the session harness
# of tests/e2e.
uvola_window_e2e_test(program_e2e SCRIPT program_e2e.py)
set_tests_properties(program_e2e PROPERTIES RESOURCE_LOCK xinput)

# FIFOs and links to /dev/zero under the names of the files read at
# start-up: the program starts as if they were missing.
uvola_window_e2e_test(special_files_e2e SCRIPT special_files_e2e.py)

# The real program started in-process (tests/mainwin/program_driver.h): its
# menus, its toolbar and step box (again on an 8-bit display, where every
# icon must still be made), saves on a full disk, and real input.
foreach(program menus_test toolbar_test input_test save_test pointer_test first_run_test
        resource_layout_test element_lists_test)
  uvola_gui_test(${program} SOURCES ${program}.cpp LIBS uvola_mainwin)
  target_compile_definitions(${program} PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endforeach()
add_test(NAME toolbar_depth8_test
         COMMAND "${UVOLA_TEST_ENV}" --depth8 -- $<TARGET_FILE:toolbar_test>
                 --gtest_filter=ToolbarTest.EveryIconIsMade:ToolbarTest.EveryButtonSendsItsText)
set_tests_properties(toolbar_depth8_test PROPERTIES TIMEOUT 300 LABELS gui)
# Tests that move the pointer and press keys with xdotool run one at a time.
set_tests_properties(input_test pointer_test PROPERTIES RESOURCE_LOCK xinput)

# Not a test: writes every window as an image and a list of widget
# geometries, for comparing two builds (see the file's head).
add_executable(layout_snapshot_tool "${CMAKE_CURRENT_LIST_DIR}/layout_snapshot_tool.cpp")
target_link_libraries(layout_snapshot_tool PRIVATE uvola_mainwin GTest::gtest GTest::gtest_main)
target_include_directories(layout_snapshot_tool PRIVATE "${PROJECT_SOURCE_DIR}")
target_compile_definitions(layout_snapshot_tool PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
