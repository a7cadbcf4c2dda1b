# The native Linux installation: programs in bin/, the data set in share/drav/ (where the
# programs look beside their own folder), the desktop entry and its icon, manual pages and the
# licence as share/doc/drav/copyright.
include(GNUInstallDirs)

install(TARGETS drav drav-render drav-bench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

list(TRANSFORM DRAV_DATA_FILE_NAMES PREPEND ${DRAV_DATA_DIR}/ OUTPUT_VARIABLE data)
install(FILES ${data} DESTINATION ${CMAKE_INSTALL_DATADIR}/drav)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/drav.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS DRAV_ICON_SIZES)
  install(FILES ${DRAV_ICON_DIR}/${size}/drav.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog are installed compressed, as Debian's tools expect; -n keeps
# the file names and times out of the archives, so every build makes the same bytes.
find_program(DRAV_GZIP gzip REQUIRED)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(compressed)
foreach(source IN ITEMS man/drav.6 man/drav-render.1 man/drav-bench.1 debian/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${DRAV_GZIP} -9nc ${packaging}/${source} > ${output}
    DEPENDS ${packaging}/${source})
  list(APPEND compressed ${output})
endforeach()
add_custom_target(drav_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/drav.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/drav-render.1.gz
              ${CMAKE_BINARY_DIR}/packaging/drav-bench.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's copyright file is the licence in its machine-readable form, made from LICENSE so
# the two cannot drift apart: the notice's holder, then the terms, each line indented and blank
# lines written as " .".
file(READ ${DRAV_LICENSE} licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" notice "${licence}")
set(notice ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n+" "" terms "${licence}")
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms " ${terms}")
file(WRITE ${CMAKE_BINARY_DIR}/packaging/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: DRAV

Files: *
Copyright: ${notice}
License: Expat

License: Expat
${terms}
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright
              ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/drav)
