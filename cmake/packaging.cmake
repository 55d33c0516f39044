# Packages of the installed files, built with CPack in a build folder:
#
#   cpack -G DEB     on Linux: zubkimport_<version>_<arch>.deb
#   cpack -G ZIP     in the mingw-w64 (or any Windows) build: zubkimport-<version>-win64.zip
#
# "cmake --build <build folder> --target package" builds the platform's package.

set(ZUBK_PACKAGE_MAINTAINER "zubkimport-Entwicklung <zubkimport@example.invalid>" CACHE STRING
    "The Debian package's maintainer, as \"Name <address>\"")

set(CPACK_PACKAGE_NAME zubkimport)
set(CPACK_PACKAGE_VENDOR zubkimport-Entwicklung)
set(CPACK_PACKAGE_CONTACT "${ZUBK_PACKAGE_MAINTAINER}")
# Debian's convention: a short synopsis without the package's name and without a full stop,
# then whole sentences.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "import access-control bookings into a database through ODBC")
# Lines of the long description stay short, as dpkg and apt show them unwrapped.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "zubkimport reads a file of fixed-width 33-byte booking records written by"
    "an access-control terminal and inserts every booking into the table"
    "QXSYSTEM.Qxs402Zpk of an Oracle, Microsoft SQL Server, MySQL or MariaDB"
    "database, reached through ODBC. It is meant to be run by a scheduled job,"
    "which acts on its exit code; examples for systemd, cron and the Windows"
    "Task Scheduler are included.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
    # Unpacks into one folder named after the package and version.
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION database)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # unixodbc brings the driver manager (libodbc2) and its isql for trying a data source;
    # the MariaDB driver is one choice of several, so it is only suggested.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS unixodbc)
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS odbc-mariadb)
    # The C and C++ run-time libraries the program was linked against, with their versions,
    # where dpkg-shlibdeps (package dpkg-dev) is there to find them.
    find_program(ZUBK_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(ZUBK_DPKG_SHLIBDEPS)
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    endif()
endif()

include(CPack)
