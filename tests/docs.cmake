# doc/commands.md's generated lists are what the program's tables hold, and
# every command has its section there.
add_test(NAME command_reference_current
         COMMAND /usr/bin/python3 "${PROJECT_SOURCE_DIR}/tools/gen_command_reference.py" --check
                 $<TARGET_FILE:print_command_tables> "${PROJECT_SOURCE_DIR}/doc/commands.md")
