# The reading library's own dependencies: libjpeg, SQLite, libxlsxwriter (and zlib when
# it is a static archive), threads. Found by CMake's modules, never through Qt, so a
# browser build passes its own builds of them: an imported target defined before this
# file (JPEG::JPEG, SQLite::SQLite3, ZLIB::ZLIB, Vantrel::XLSXWriter) is used as it is;
# otherwise the libraries are looked for under CMAKE_PREFIX_PATH (and, in a
# cross build, CMAKE_FIND_ROOT_PATH), or named directly with JPEG_INCLUDE_DIR /
# JPEG_LIBRARY, SQLite3_INCLUDE_DIR / SQLite3_LIBRARY, ZLIB_ROOT,
# XLSXWRITER_INCLUDE_DIR / XLSXWRITER_LIBRARY.
find_package(Threads REQUIRED)
if(NOT TARGET JPEG::JPEG)
  find_package(JPEG REQUIRED)
endif()
if(NOT TARGET SQLite::SQLite3)
  find_package(SQLite3 REQUIRED)
endif()
if(NOT TARGET Vantrel::XLSXWriter)
  find_path(XLSXWRITER_INCLUDE_DIR xlsxwriter.h REQUIRED)
  find_library(XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
  add_library(Vantrel::XLSXWriter UNKNOWN IMPORTED)
  set_target_properties(Vantrel::XLSXWriter PROPERTIES
    IMPORTED_LOCATION "${XLSXWRITER_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${XLSXWRITER_INCLUDE_DIR}")
  # A shared libxlsxwriter brings its zlib along; a static one needs it named.
  if(XLSXWRITER_LIBRARY MATCHES "\\.a$")
    if(NOT TARGET ZLIB::ZLIB)
      find_package(ZLIB REQUIRED)
    endif()
    set_property(TARGET Vantrel::XLSXWriter APPEND PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
  endif()
endif()
