# uvola_library(NAME DEPENDS...) makes the static library of one subsystem
# folder from every source file in it and in its rooms (sky/view/, ...).
# Headers are included by their path from the project root
# ("core/app_env.h", "sky/view/projection.h"), so the root is the include root.
function(uvola_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.c")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()
