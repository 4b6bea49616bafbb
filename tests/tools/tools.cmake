# The libraries include one another in one direction only
# (mainwin -> dialogs -> dialogs/kit -> {tooltip, command} -> sky -> astro -> core
# -> data).
add_test(NAME include_layers_check
         COMMAND /usr/bin/python3 "${PROJECT_SOURCE_DIR}/tools/check_include_layers.py" "${PROJECT_SOURCE_DIR}")

# print_command_tables --dictionary, as the fuzz run reads it.
add_test(NAME print_command_tables_dictionary
         COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/print_command_tables_test.sh" $<TARGET_FILE:print_command_tables>)
# The check itself, on small trees: what it refuses and what it lets through
# (dialogs/kit/ below dialogs/, circles of units, the catalogues' rooms).
add_test(NAME include_layers_tool_test
         COMMAND /usr/bin/python3 "${CMAKE_CURRENT_LIST_DIR}/include_layers_test.py"
                 "${PROJECT_SOURCE_DIR}/tools/check_include_layers.py")
set_tests_properties(include_layers_tool_test PROPERTIES ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
