# zlib and expat for the mingw-w64 cross build, both linked into the .exe
# files so that they import only the system's DLLs.
#
# zlib is Debian's libz-mingw-w64-dev; its static libz.a, not the import
# library of zlib1.dll. Debian has no expat for mingw-w64:
# scripts/build-mingw-expat.sh builds one from Debian's expat source package
# (the host's version, fetched and checked by apt) into a cache folder of this
# build tree, once; later configures reuse it.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
set_target_properties(ZLIB::ZLIB PROPERTIES IMPORTED_GLOBAL TRUE)

set(TARNVALE_MINGW_EXPAT ${CMAKE_BINARY_DIR}/mingw-expat)
execute_process(
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-mingw-expat.sh ${TARNVALE_MINGW_EXPAT}
          ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake
  RESULT_VARIABLE expat_result)
if(expat_result)
  message(FATAL_ERROR "expat for mingw-w64 could not be built (scripts/build-mingw-expat.sh)")
endif()
set(EXPAT_INCLUDE_DIR ${TARNVALE_MINGW_EXPAT}/include CACHE PATH "expat for mingw-w64" FORCE)
set(EXPAT_LIBRARY ${TARNVALE_MINGW_EXPAT}/lib/libexpat.a CACHE FILEPATH "expat for mingw-w64" FORCE)
find_package(EXPAT REQUIRED)
set_target_properties(EXPAT::EXPAT PROPERTIES IMPORTED_GLOBAL TRUE)
# Without it expat.h declares its functions as imported from a DLL.
set_property(TARGET EXPAT::EXPAT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS XML_STATIC)
