# Packages made by cpack from the installation: a .deb on Debian and Ubuntu,
# whose library dependencies dpkg-shlibdeps works out, and a .zip of the
# Windows folder.
set(KALVEX_PACKAGE_MAINTAINER "Kalvex Terminal developers <dev@kalvex-terminal.example>"
    CACHE STRING "Maintainer named in the packages")

set(CPACK_PACKAGE_NAME kalvex-terminal)
set(CPACK_PACKAGE_VENDOR "Kalvex Terminal")
set(CPACK_PACKAGE_CONTACT ${KALVEX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Italian-language interactive multi-tool for the text console")
set(CPACK_PACKAGE_DESCRIPTION
    "Kalvex Terminal reads one-character commands at its Path: prompt and runs\n\
calculators, an expression evaluator, base conversion, equation solvers,\n\
chemistry tools, an Italian tax-code generator, a file cipher and password\n\
generators, keeping a command history and a colour theme.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

# The licences: MIT for the program (LICENSE), CC BY-SA 4.0 for the
# municipality data (data/risorsa.cf.LICENSE.txt, beside the data). A
# Windows installation keeps both files beside the .exe; elsewhere they make
# the machine-readable copyright file in the documentation folder, with the
# changelog and the manual page gzipped as Debian wants them.
if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/data/risorsa.cf.LICENSE.txt
          DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  # A licence text as a paragraph of the copyright file: each line indented
  # by one space, an empty line written as " .".
  function(kalvex_copyright_paragraph file first_line result)
    file(READ ${file} text)
    string(FIND "${text}" "${first_line}" start)
    if(start LESS 0)
      message(FATAL_ERROR "${file} no longer holds \"${first_line}\"")
    endif()
    string(SUBSTRING "${text}" ${start} -1 text)
    string(REGEX REPLACE "\n+$" "" text "${text}")
    string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
    string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text " ${text}")
    set(${result} "${text}" PARENT_SCOPE)
  endfunction()
  kalvex_copyright_paragraph(${PROJECT_SOURCE_DIR}/LICENSE "Permission is hereby granted"
                             KALVEX_MIT_TEXT)
  kalvex_copyright_paragraph(${PROJECT_SOURCE_DIR}/data/risorsa.cf.LICENSE.txt
                             "Attribution-ShareAlike 4.0 International" KALVEX_CC_BY_SA_TEXT)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)

  # The changelog names the version it describes: it must be this one.
  file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_top LIMIT_COUNT 1)
  if(NOT changelog_top MATCHES "^kalvex-terminal \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not start with version ${PROJECT_VERSION}")
  endif()

  # gzip -n leaves out the name and time, so that the package is the same
  # whenever it is made.
  find_program(GZIP_PROGRAM gzip REQUIRED)
  foreach(pair "packaging/changelog:changelog.gz" "kalvex-terminal.1:kalvex-terminal.1.gz")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    if(source STREQUAL "kalvex-terminal.1")
      set(source ${CMAKE_BINARY_DIR}/${source})
    else()
      set(source ${PROJECT_SOURCE_DIR}/${source})
    endif()
    execute_process(COMMAND ${GZIP_PROGRAM} -9nc ${source} OUTPUT_FILE ${CMAKE_BINARY_DIR}/${target}
                    RESULT_VARIABLE gzip_result)
    if(NOT gzip_result EQUAL 0)
      message(FATAL_ERROR "gzip could not compress ${source}")
    endif()
  endforeach()
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_SOURCE_DIR}/docs/kalvex-terminal.1.in)
  install(FILES ${CMAKE_BINARY_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kalvex-terminal)
  install(FILES ${CMAKE_BINARY_DIR}/kalvex-terminal.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KALVEX_SITE_URL})
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The editline library is loaded only at a terminal, so dpkg-shlibdeps
  # does not see it. Recommended rather than required: without it the
  # program works fully, lines are only edited by the terminal's own keys.
  if(KALVEX_LINE_EDITING_BUILT)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libedit2)
  endif()
endif()

include(CPack)
