# The geometry over randomised and degenerate views, windows, fields and
# mirrors, the fixed-point and calendar edge cases, the readers of command
# text, script files (their work bound among them), STARDATA's star-file
# checks, options, site, name, element, user-object and click-data files,
# the replacement writer and the site file's lock, the command port,
# BLINK's flash count, GSAVE's band reading and XPM writer, the mark layers,
# the tip shell, the command history, the information box's lines (stale
# picks among them), the popup's walk, the dialogs' plain halves and element
# lists, the JPEG decoder and the image viewer, built again with
# AddressSanitizer and UBSan.
add_test(NAME sanitized_tests
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/run-sanitized-tests.sh" "${CMAKE_BINARY_DIR}/sanitized-build"
                 sky_view_test sky_projection_test sky_clip_test sky_masks_test sky_clip_draw_test
                 astro_fixed_point_test astro_time_calendar_test astro_precession_test
                 command_test command_script_test command_view_test command_mode_test core_options_test
                 sky_site_list_test sky_name_files_test sky_element_files_test core_regular_file_test
                 command_port_test mainwin_test tip_shell_test command_dialog_test
                 info_box_lines_test pointer_lines_test
                 display_dialogs_fields_test settings_dialogs_fields_test
                 dialogs_element_list_test dialogs_decoder_test dialogs_image_viewer_test
                 sky_user_files_test sky_click_data_test command_data_files_test sky_user_object_layer_test
                 core_replacement_file_test time_site_fields_test)
set_tests_properties(sanitized_tests PROPERTIES TIMEOUT 1200 LABELS sanitizer)
