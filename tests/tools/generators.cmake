# The committed tables are what their generators write today.
add_test(NAME gen_math_tables_reproducible
         COMMAND sh -c "out=$(mktemp -d) && /usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_math_tables.py' \"$out\" && for f in math_tables.h sine_table.cpp fixed_acos_table.cpp fixed_sqrt_table.cpp; do cmp \"$out/$f\" '${PROJECT_SOURCE_DIR}/astro/'$f || exit 1; done; rm -rf \"$out\"")
add_test(NAME gen_moon_series_reproducible
         COMMAND sh -c "out=$(mktemp -d) && /usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_moon_series.py' \"$out\" >/dev/null && cmp \"$out/moon_series_tables.cpp\" '${PROJECT_SOURCE_DIR}/astro/moon_series_tables.cpp'; status=$?; rm -rf \"$out\"; exit $status")
add_test(NAME gen_nebula_symbols_reproducible
         COMMAND sh -c "cd '${PROJECT_SOURCE_DIR}' && /usr/bin/python3 tools/gen_nebula_symbols.py - | cmp - data/nebula_symbol_bits.cpp")
add_test(NAME gen_globe_icons_reproducible
         COMMAND sh -c "out=$(mktemp) && /usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_globe_icons.py' \"$out\" && cmp \"$out\" '${PROJECT_SOURCE_DIR}/data/wm_icon_bitmaps.cpp'; status=$?; rm -f \"$out\"; exit $status")
# The site list follows the installed tzdata; on a machine with another
# tzdata than the one data/SOURCES.md names the test is skipped.
add_test(NAME gen_site_list_reproducible
         COMMAND sh -c "grep -q \"tzdata $(dpkg-query -W -f='\${Version}' tzdata)\" '${PROJECT_SOURCE_DIR}/data/SOURCES.md' || exit 77; out=$(mktemp) && /usr/bin/python3 '${PROJECT_SOURCE_DIR}/tools/gen_site_list.py' /usr/share/zoneinfo \"$out\" && cmp \"$out\" '${PROJECT_SOURCE_DIR}/data/uvola.obs'; status=$?; rm -f \"$out\"; exit $status")
set_tests_properties(gen_site_list_reproducible PROPERTIES SKIP_RETURN_CODE 77)
# doc/commands.md's generated lists are what the program's tables hold, and
# every command has its section there.
add_test(NAME gen_command_reference_current
         COMMAND /usr/bin/python3 "${PROJECT_SOURCE_DIR}/tools/gen_command_reference.py" --check
                 $<TARGET_FILE:print_command_tables> "${PROJECT_SOURCE_DIR}/doc/commands.md")
# The comet and minor-planet element files, from kstars-data fetched once
# into the build tree (skipped when no Debian archive answers).
add_test(NAME gen_element_files_reproducible
         COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/element_files_reproducible.sh" "${PROJECT_SOURCE_DIR}"
                 "${CMAKE_BINARY_DIR}/kstars-data")
# Both kstars-data tests fetch the package into one cache: one at a time,
# so neither reads the other's half-written download.
set_tests_properties(gen_element_files_reproducible PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300
                     RESOURCE_LOCK kstars_data_cache)
# The built-in catalogues and name files, from d3-celestial and kstars-data
# fetched once into the build tree (skipped when neither registry answers).
add_test(NAME gen_catalogues_reproducible
         COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/catalogues_reproducible.sh" "${PROJECT_SOURCE_DIR}"
                 "${CMAKE_BINARY_DIR}/kstars-data")
set_tests_properties(gen_catalogues_reproducible PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300
                     RESOURCE_LOCK kstars_data_cache)
