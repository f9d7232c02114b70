# What `cmake --install` puts beside the three programs so that a desktop knows the program,
# and the Debian package (CPack) made of it: ./scripts/package builds it.
include(GNUInstallDirs)

set(PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(FILES ${PACKAGING_DIR}/kvprog.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${KV_APP_ID}.desktop)
configure_file(${PACKAGING_DIR}/kvprog.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/${KV_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KV_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The file manager opens ".chp" files with the program.
install(FILES ${PACKAGING_DIR}/kvprog-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kvprog.xml)
install(FILES ${PACKAGING_DIR}/icons/kvprog.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${PACKAGING_DIR}/icons/kvprog-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME kvprog.png)
endforeach()
# The default bands: an installed program's own folder is not writable, so each user gets a
# copy of this one in their configuration folder on first use.
install(FILES ${PROJECT_SOURCE_DIR}/data/Sfc.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/kvprog)

# Man pages from each program's --help and --version.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(man_kvprog "programming software for 16-channel handheld radios")
  set(man_kvprog-cli "channel files, reports and radio transfers from the command line")
  set(man_kvsim "radio emulator on a pseudo-terminal")
  set(pages)
  foreach(program kvprog kvprog-cli kvsim)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(
      OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      # Run by name, so the page says "kvsim", not the build folder; --help needs no display.
      COMMAND ${CMAKE_COMMAND} -E env "PATH=$<TARGET_FILE_DIR:${program}>:$ENV{PATH}"
              ${HELP2MAN} --no-info --name=${man_${program}} --output=${page} ${program}
      COMMAND gzip -9nf ${page}
      DEPENDS ${program}
      VERBATIM)
    list(APPEND pages ${page}.gz)
  endforeach()
  add_custom_target(manpages ALL DEPENDS ${pages})
  install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no man pages (./scripts/package installs it)")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvprog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "kvprog maintainers <maintainers@users.noreply.c-seed-7da77f21.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for 16-channel handheld radios")
# The package's long description, under the summary line.
set(CPACK_PACKAGE_DESCRIPTION
    "A dealer or service technician edits the 16-channel table and the radio-wide
settings of a handheld UHF two-way radio, reads and writes the radio through a
USB or serial programming cable, keeps .chp channel files and prints a settings
report.

kvprog-cli works with channel files, reports and transfers from scripts; kvsim
emulates a radio on a pseudo-terminal. To use a programming cable, the user
must be in the dialout group.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The Qt libraries come from dpkg-shlibdeps; the fonts are what the windows are drawn with:
# Chinese text, and a proportional face for Latin text.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, fonts-dejavu-core")
# Qt's own dialogs (file dialogs) in Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
