# What `cmake --install` puts where, and the package CPack makes of it, for each kind of build:
# a native Linux build installs the three programs with their data, desktop entry, icons,
# metainfo, manual pages and licences under the usual prefix and packs them as a .deb; the
# mingw-w64 build makes a folder that runs where it is unpacked, packed as a zip; the browser
# build packs its site folder as a tar.gz. Every package carries DRAV's licence, and those of
# the native programs the notice of CLI11, which they compile in (the page does not).

set(DRAV_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(DRAV_CLI11_LICENSE ${PROJECT_SOURCE_DIR}/packaging/CLI11-LICENSE.txt)

if(EMSCRIPTEN)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/site/ DESTINATION .)
  install(FILES ${DRAV_LICENSE} DESTINATION .)
  set(CPACK_GENERATOR TGZ)
  set(DRAV_PACKAGE_SUFFIX web)
elseif(WIN32)
  # The data files come from a native build, which has the generator.
  set(DRAV_PACKAGE_DATA_DIR "${PROJECT_SOURCE_DIR}/build/release/data" CACHE PATH
      "Folder with the data files made by a native build, for the Windows zip")
  list(TRANSFORM DRAV_DATA_FILE_NAMES PREPEND ${DRAV_PACKAGE_DATA_DIR}/ OUTPUT_VARIABLE data)
  install(TARGETS drav RUNTIME DESTINATION .)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in
                 ${CMAKE_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${data} ${CMAKE_BINARY_DIR}/packaging/README.txt DESTINATION .)
  install(FILES ${DRAV_LICENSE} DESTINATION . RENAME LICENSE.txt)
  install(FILES ${DRAV_CLI11_LICENSE} DESTINATION . RENAME LICENSE-CLI11.txt)
  set(CPACK_GENERATOR ZIP)
  set(DRAV_PACKAGE_SUFFIX windows-x86_64)
elseif(TARGET drav AND TARGET drav-render)
  include(cmake/install_linux.cmake)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
  # Without SDL2, or in a fuzz build without the tools, there is no complete program to install.
  return()
endif()

set(CPACK_PACKAGE_NAME drav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The DRAV developers")
set(CPACK_PACKAGE_CONTACT "The DRAV developers <drav@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "walk through a fogged level drawn by a software renderer")
# Lines kept short for the .deb's description, which shows them as they are.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "DRAV draws every pixel itself: textured, fog-shaded triangles are\n"
  "rasterised in 16.16 fixed point into an 8-bit 320x240 frame, shown in a\n"
  "640x480 window, as a walk through one fixed level with spinning hearts.\n"
  "drav-render renders single frames to files without a window, and\n"
  "drav-bench times the renderer along a scripted walk.\n"
  "Released under the MIT licence; compiled with CLI11 (BSD licence).")
set(CPACK_RESOURCE_FILE_LICENSE ${DRAV_LICENSE})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
if(DEFINED DRAV_PACKAGE_SUFFIX)
  set(CPACK_PACKAGE_FILE_NAME drav-${PROJECT_VERSION}-${DRAV_PACKAGE_SUFFIX})
endif()

# The .deb: dpkg-shlibdeps finds the libraries (SDL2, libpng, the C++ runtime) and declares
# the packages that hold them.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A renderer shown as a walk-through, with no goal or score, and two rendering tools: a
# graphics package in /usr/bin with manual pages in section 1 and a desktop entry under
# Graphics, rather than a game in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
