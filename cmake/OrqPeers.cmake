# Peer libraries used by tests and benchmarks as independent references:
# GeographicLib, PROJ and SQLite. Never linked into the library itself.
# libgeographiclib-dev cannot be installed for two architectures at once; a
# -m32 build uses the amd64 package's headers and the i386 runtime library.
find_library(ORQ_GEOGRAPHICLIB GeographicLib)
if(NOT ORQ_GEOGRAPHICLIB)
  file(GLOB runtime_geographiclib /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/libGeographicLib.so.[0-9]*)
  if(runtime_geographiclib)
    list(SORT runtime_geographiclib)
    list(GET runtime_geographiclib 0 ORQ_GEOGRAPHICLIB)
  endif()
endif()
if(NOT ORQ_GEOGRAPHICLIB)
  message(FATAL_ERROR "GeographicLib not found (libgeographiclib-dev)")
endif()
find_path(ORQ_GEOGRAPHICLIB_INCLUDE GeographicLib/Constants.hpp REQUIRED)
if(NOT TARGET orq_peer_geographiclib)
  add_library(orq_peer_geographiclib INTERFACE)
  target_link_libraries(orq_peer_geographiclib INTERFACE ${ORQ_GEOGRAPHICLIB})
  target_include_directories(orq_peer_geographiclib INTERFACE ${ORQ_GEOGRAPHICLIB_INCLUDE})
endif()
# The -m32 build counts as cross-compiling, which PROJ's package refuses;
# its programs run on this host, so PROJ is looked up as for a native build.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND CMAKE_HOST_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING OFF)
endif()
find_package(PROJ CONFIG REQUIRED)
find_package(SQLite3 REQUIRED)
