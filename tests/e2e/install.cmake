# cmake --install into a DESTDIR: the staged program, data and manual page.
add_test(NAME install_e2e
         COMMAND "${UVOLA_TEST_ENV}" --xvfb --
                 /usr/bin/python3 "${UVOLA_E2E_DIR}/install_e2e.py" "${CMAKE_BINARY_DIR}" "${PROJECT_SOURCE_DIR}")
set_tests_properties(install_e2e PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
