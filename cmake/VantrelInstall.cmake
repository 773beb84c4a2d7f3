# Desktop integration, the printable sheet and the Debian package.

# The printable answer sheet, drawn by the sheet tool itself so it always matches
# the layout the grader reads. The sanitizer build must not fail on Qt's lifelong
# allocations at this step.
set(VANTREL_SHEET_PDF ${CMAKE_BINARY_DIR}/answer-sheet.pdf)
add_custom_command(OUTPUT ${VANTREL_SHEET_PDF}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:vantrel-sheet> print -o ${VANTREL_SHEET_PDF}
  DEPENDS vantrel-sheet
  COMMENT "Drawing the printable answer sheet")
add_custom_target(vantrel_sheet_pdf ALL DEPENDS ${VANTREL_SHEET_PDF})

install(FILES ${VANTREL_SHEET_PDF} DESTINATION ${CMAKE_INSTALL_DATADIR}/vantrel)
install(FILES ${CMAKE_SOURCE_DIR}/res/vantrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/res/icons/vantrel.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_CONTACT "Vantrel maintainers <vantrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Grades multiple-choice answer sheets from scanned images")
set(CPACK_PACKAGE_DESCRIPTION "Vantrel reads scanned multiple-choice answer sheets for Thai schools: \
the eight-digit examinee ID and up to 100 answers a-e against a key. It ships the desktop program \
vantrel, the batch grader vantrel-grade, the sheet tool vantrel-sheet and a printable answer sheet.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.invalid/vantrel")
# Shared libraries come from dpkg-shlibdeps; Qt's plugins, the Thai fonts and the
# platform plugins are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-image-formats-plugins, libqt6svg6, fonts-thai-tlwg")
include(CPack)
