# The libraries Uvola links with. Motif and gdbm ship no CMake package,
# so they are wrapped in imported targets here.
find_package(X11 REQUIRED)
find_package(Motif REQUIRED)
find_package(JPEG REQUIRED)

if(NOT TARGET Uvola::Motif)
  add_library(Uvola::Motif INTERFACE IMPORTED)
  set_target_properties(Uvola::Motif PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${MOTIF_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "${MOTIF_LIBRARIES};X11::Xt;X11::X11")
endif()

find_library(GDBM_LIBRARY NAMES gdbm REQUIRED)
find_path(GDBM_INCLUDE_DIR gdbm.h REQUIRED)
if(NOT TARGET Uvola::Gdbm)
  add_library(Uvola::Gdbm UNKNOWN IMPORTED)
  set_target_properties(Uvola::Gdbm PROPERTIES
    IMPORTED_LOCATION "${GDBM_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${GDBM_INCLUDE_DIR}")
endif()

# Test oracles only: nothing in the program links them.
find_library(ERFA_LIBRARY NAMES erfa)
find_library(NOVA_LIBRARY NAMES nova)
