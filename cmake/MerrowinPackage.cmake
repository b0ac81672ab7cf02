# What `cmake --install` puts where, and the Debian package CPack makes of it (for authors:
# the tools, the stubs they append wallpapers to, and the Linux wallpaper player).
#   bin/                          merrowin-pack, merrowin-skin, merrowin-wallpaper (a link)
#   lib/merrowin/stubs/           merrowin-setup-stub (Linux), merrowin-setup-stub.exe (Windows)
#   lib/merrowin/player/          merrowin-wallpaper and its web files in web/: what installers
#                                 for Linux carry, and where merrowin-pack finds it
#   share/man/man1/               a page per program
#   share/doc/merrowin/           copyright, changelog
include(GNUInstallDirs)

set(MERROWIN_WINDOWS_STUB_DIR "" CACHE PATH
    "A Windows build (i686: the shipping one) whose merrowin-setup-stub.exe the install takes")

install(TARGETS merrowin-pack merrowin-skin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET merrowin-setup)
  install(PROGRAMS $<TARGET_FILE_DIR:merrowin-setup>/merrowin-setup-stub DESTINATION lib/merrowin/stubs)
endif()
if(MERROWIN_WINDOWS_STUB_DIR)
  install(FILES ${MERROWIN_WINDOWS_STUB_DIR}/app/setup/merrowin-setup-stub.exe DESTINATION lib/merrowin/stubs)
endif()
if(TARGET merrowin-wallpaper)
  # The player finds its web files beside its own file, so it lives in its folder and bin/ links
  # to it.
  install(PROGRAMS ${PROJECT_BINARY_DIR}/player/bundle/merrowin-wallpaper DESTINATION lib/merrowin/player)
  install(DIRECTORY ${PROJECT_BINARY_DIR}/player/bundle/web DESTINATION lib/merrowin/player)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../lib/merrowin/player/merrowin-wallpaper
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/merrowin-wallpaper\" SYMBOLIC)")
endif()

# Manual pages and the changelog go compressed, as Debian wants them.
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(compressed "")
foreach(page merrowin-pack merrowin-skin merrowin-wallpaper)
  list(APPEND compressed ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND gzip -9nc ${packaging}/man/${page}.1 > ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz
    DEPENDS ${packaging}/man/${page}.1)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
list(APPEND compressed ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${packaging}/changelog > ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${packaging}/changelog)
add_custom_target(merrowin_package_files ALL DEPENDS ${compressed})
install(FILES ${packaging}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/merrowin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME merrowin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "authoring tools for animated desktop wallpaper installers")
set(CPACK_PACKAGE_DESCRIPTION
    "Merrowin packs an animated wallpaper (an SWF movie and its settings) onto
the end of a small installer program; a user runs that one file to install
the wallpaper. This package holds the tools an author needs (merrowin-pack,
merrowin-skin), the installer stubs for Linux and Windows, and
merrowin-wallpaper, which plays an installed wallpaper on the Linux desktop.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Merrowin developers <dev@merrowin.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.merrowin.com/)
# The libraries the programs load, as dpkg-shlibdeps finds them, and nothing guessed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The installer stub opens SDL2 only when it shows a window, so no scan of its imports finds it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0 (>= 2.0.18)")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
