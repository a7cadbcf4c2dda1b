# The native Linux installation: programs in bin/, the data set in share/drav/ (where the
# programs look beside their own folder), the desktop entry with its icons and AppStream
# metainfo, manual pages made from the programs' own --help, and the licences as
# share/doc/drav/copyright.
include(GNUInstallDirs)

install(TARGETS drav drav-render drav-bench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

list(TRANSFORM DRAV_DATA_FILE_NAMES PREPEND ${DRAV_DATA_DIR}/ OUTPUT_VARIABLE data)
install(FILES ${data} DESTINATION ${CMAKE_INSTALL_DATADIR}/drav)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)

install(FILES ${packaging}/drav.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS DRAV_ICON_SIZES)
  install(FILES ${DRAV_ICON_DIR}/${size}/drav.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The release's date, from the changelog's first entry, whose version must be the project's.
# It dates the metainfo's release and the manual pages (help2man reads SOURCE_DATE_EPOCH), so
# every build of one release makes the same bytes.
file(STRINGS ${packaging}/debian/changelog changelog)
list(GET changelog 0 first_entry)
if(NOT first_entry MATCHES "^drav \\(${PROJECT_VERSION}\\)")
  message(FATAL_ERROR "packaging/debian/changelog does not begin with version ${PROJECT_VERSION}")
endif()
list(FILTER changelog INCLUDE REGEX "^ -- ")
list(GET changelog 0 trailer)
string(REGEX REPLACE "^.*>  " "" release_date "${trailer}")
execute_process(COMMAND date -u -d "${release_date}" +%s OUTPUT_VARIABLE DRAV_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u -d "${release_date}" +%F OUTPUT_VARIABLE DRAV_RELEASE_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

configure_file(${packaging}/drav.metainfo.xml.in ${generated}/org.example.drav.metainfo.xml @ONLY)
install(FILES ${generated}/org.example.drav.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages: help2man runs each program's --help and --version, and packaging/man/NAME.h2m
# adds what --help does not say (keys, files, exit statuses, examples). help2man takes the
# help's "usage:" line for a paragraph of the description; the synopsis says it instead, so
# the line is dropped. Pages and the changelog are installed compressed, as Debian's tools
# expect; -n keeps the file names and times out of the archives.
find_program(DRAV_HELP2MAN help2man REQUIRED)
find_program(DRAV_GZIP gzip REQUIRED)
set(compressed)
foreach(program IN ITEMS drav drav-render drav-bench)
  set(page ${generated}/${program}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${DRAV_RELEASE_EPOCH} ${DRAV_HELP2MAN}
            --no-info --section 1 --include ${packaging}/man/${program}.h2m
            --output ${page}.unfiltered $<TARGET_FILE:${program}>
    COMMAND sed /^usage:/d ${page}.unfiltered > ${page}
    COMMAND ${DRAV_GZIP} -9nc ${page} > ${page}.gz
    DEPENDS ${program} ${packaging}/man/${program}.h2m)
  list(APPEND compressed ${page}.gz)
endforeach()
add_custom_command(
  OUTPUT ${generated}/changelog.gz
  COMMAND ${DRAV_GZIP} -9nc ${packaging}/debian/changelog > ${generated}/changelog.gz
  DEPENDS ${packaging}/debian/changelog)
add_custom_target(drav_manual_pages ALL DEPENDS ${compressed} ${generated}/changelog.gz)
install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's copyright file is the licences in their machine-readable form, made from LICENSE
# and CLI11's notice so that they cannot drift apart: each notice's holder, then its terms,
# each line indented and blank lines written as " .".

# debian_licence(FILE NOTICE TERMS): from a licence FILE, the holder its copyright notice names
# (into NOTICE, on one line) and the text after the notice (into TERMS, as the indented body
# of a copyright file's License field).
function(debian_licence file notice_variable terms_variable)
  file(READ ${file} licence)
  string(REGEX MATCH "Copyright \\(c\\) (([^\n]+\n)+)" notice "${licence}")
  string(REGEX REPLACE "\n" " " notice "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "^.*Copyright \\(c\\) ([^\n]+\n)+\n+" "" terms "${licence}")
  string(STRIP "${notice}" notice)
  string(STRIP "${terms}" terms)
  string(REPLACE "\n\n" "\n.\n" terms "${terms}")
  string(REPLACE "\n" "\n " terms " ${terms}")
  set(${notice_variable} "${notice}" PARENT_SCOPE)
  set(${terms_variable} "${terms}" PARENT_SCOPE)
endfunction()

debian_licence(${DRAV_LICENSE} drav_notice drav_terms)
debian_licence(${DRAV_CLI11_LICENSE} cli11_notice cli11_terms)
file(WRITE ${generated}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: DRAV

Files: *
Copyright: ${drav_notice}
License: Expat

Files: cli11/CLI/*
Copyright: ${cli11_notice}
License: BSD-3-clause
Comment: CLI11, the command-line parser compiled into drav, drav-render and drav-bench.

License: Expat
${drav_terms}

License: BSD-3-clause
${cli11_terms}
")
install(FILES ${generated}/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/drav)
