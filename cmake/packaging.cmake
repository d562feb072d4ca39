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

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KALVEX_SITE_URL})
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
