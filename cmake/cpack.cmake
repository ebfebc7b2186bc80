# The Debian package: `cpack -G DEB` in the build folder. Its dependencies
# are the runtime libraries that dpkg-shlibdeps finds in the programs, plus
# what the window loads at run time (the platform plugins and its font).
set(CPACK_PACKAGE_NAME tilvan)
set(CPACK_PACKAGE_VENDOR "The TILVAN developers")
set(CPACK_PACKAGE_CONTACT "The TILVAN developers <tilvan@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "assistant for the Tilvane crossword tile game")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Keeps its board in step with a real game of the Tilvane crossword tile game and finds the "
    "best-scoring placements for a rack. Comes with a word list made for word games (ENABLE2K) "
    "and a larger dictionary.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tilvan.example.org)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TILVAN_BUILD_UI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
endif()
include(CPack)
