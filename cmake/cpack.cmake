# The Debian package: `cpack -G DEB` in the build folder. Its dependencies
# are the runtime libraries that dpkg-shlibdeps finds in the programs, plus
# what the window loads at run time (the platform plugins and its font).
# Debian's checker, lintian, accepts it (tests/packaging/lintian_test.sh).
set(CPACK_PACKAGE_NAME tilvan)
set(CPACK_PACKAGE_VENDOR "The TILVAN developers")
set(CPACK_PACKAGE_CONTACT "The TILVAN developers <tilvan@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "assistant for the Tilvane crossword tile game")
# The long description, wrapped to fit 80 columns as Debian wants it. Read
# here rather than named as CPACK_PACKAGE_DESCRIPTION_FILE, whose text CPack
# escapes for XML (an apostrophe became &apos; in the control file).
file(READ ${CMAKE_SOURCE_DIR}/packaging/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
string(STRIP "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_HOMEPAGE_URL https://tilvan.example.org)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# utils, not games: the package holds no game to play (Debian's games go to
# /usr/games) but tools for a player of a game played at a table, a window
# and a command-line program, both in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TILVAN_BUILD_UI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
endif()
include(CPack)
