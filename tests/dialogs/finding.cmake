# Finding and showing objects: the Center pickers' commands, the JPEG
# decoder and the element lists without X; the Center pickers, What's
# Today, the comet dialogs with their gauge, the image viewer and the About
# boxes driven on a private X server.
uvola_test(dialogs_decoder_test SOURCES jpeg_decoder_test.cpp LIBS uvola_dialogs JPEG::JPEG)
target_compile_definitions(dialogs_decoder_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
uvola_test(dialogs_center_pickers_fields_test SOURCES center_pickers_fields_test.cpp LIBS uvola_dialogs)
uvola_test(dialogs_element_list_test SOURCES element_list_test.cpp LIBS uvola_dialogs)
uvola_test(dialogs_today_dialog_fields_test SOURCES today_dialog_fields_test.cpp LIBS uvola_dialogs)
target_compile_definitions(dialogs_today_dialog_fields_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
uvola_gui_test(dialogs_center_pickers_test SOURCES center_pickers_gui_test.cpp LIBS uvola_dialogs)
# The comet and minor-planet lists are read once per run: each case runs in
# a process of its own, with its own element files.
add_executable(dialogs_small_body_test "${CMAKE_CURRENT_LIST_DIR}/small_body_dialogs_gui_test.cpp")
target_link_libraries(dialogs_small_body_test PRIVATE uvola_dialogs GTest::gtest GTest::gtest_main)
target_include_directories(dialogs_small_body_test PRIVATE "${PROJECT_SOURCE_DIR}")
foreach(case OkReplacesTheLoadedCometsInListOrderWithTheirFlags
             MixedTogglesAreIndeterminateAndSetForAllWhenPressed
             SearchFindsByEitherNameAndWrapsRound
             SharedLowerCaseAndEmptySecondNamesLoadTheirOwnRecords
             AFileIsListedOncePerRunAndAMissingOneSaysSo GaugeOpensForLongReadsOnly
             GaugeCancelKeepsWhatWasRead GaugePumpsXEventsOnly ChosenCometsDrawWhatTheirScriptDraws)
  add_test(NAME dialogs_small_body_test_${case}
           COMMAND "${UVOLA_TEST_ENV}" --xvfb -- $<TARGET_FILE:dialogs_small_body_test>
                   --gtest_filter=SmallBodyDialogs.${case})
  set_tests_properties(dialogs_small_body_test_${case} PROPERTIES TIMEOUT 300 LABELS gui)
endforeach()
# The viewer at three depths: 24 (TrueColor), 16 (5-6-5) and 8 (PseudoColor).
uvola_gui_test(dialogs_image_viewer_test SOURCES image_viewer_gui_test.cpp LIBS uvola_dialogs JPEG::JPEG)
foreach(depth 16 8)
  add_test(NAME dialogs_image_viewer_test_depth${depth}
           COMMAND "${UVOLA_TEST_ENV}" --depth${depth} -- $<TARGET_FILE:dialogs_image_viewer_test>)
  set_tests_properties(dialogs_image_viewer_test_depth${depth} PROPERTIES TIMEOUT 300 LABELS gui)
endforeach()
uvola_gui_test(dialogs_today_about_test SOURCES today_about_gui_test.cpp LIBS uvola_dialogs)
