# The libraries include one another in one direction only
# (mainwin -> dialogs -> {tooltip, command} -> sky -> astro -> core -> data).
add_test(NAME include_layers_check
         COMMAND /usr/bin/python3 "${PROJECT_SOURCE_DIR}/tools/check_include_layers.py" "${PROJECT_SOURCE_DIR}")
