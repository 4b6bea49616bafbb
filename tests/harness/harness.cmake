uvola_gui_test(harness_test SOURCES harness_test.cpp LIBS X11::X11)

# The request log that tests count X requests with and the redraw
# benchmarks replay as the server's floor.
add_library(uvola_x_request_log STATIC "${CMAKE_CURRENT_LIST_DIR}/x_request_log.cpp")
target_include_directories(uvola_x_request_log PUBLIC "${PROJECT_SOURCE_DIR}")
target_link_libraries(uvola_x_request_log PUBLIC X11::X11)
