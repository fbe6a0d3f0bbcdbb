# `cpack` in the build folder makes a Debian package and a portable folder (.tar.gz) from the
# install rules; scripts/package.sh builds both. Configure with -DCMAKE_INSTALL_PREFIX=/usr
# for the package: the installed programs know that folder and never keep files there.
set(CPACK_PACKAGE_NAME kelvo)
set(CPACK_PACKAGE_VENDOR "The Kelvo developers")
set(CPACK_PACKAGE_CONTACT "The Kelvo developers <maintainers@kelvo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logger and log viewer for the Kelvo IM LAN messenger")
# Lines of up to 80 characters: the Debian description shows them as they stand.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "kelvologger listens on a UDP port for the datagrams of the Kelvo IM messenger"
  "on the local network, keeps a table of the users online and writes a"
  "time-stamped activity log that rolls over into dated archives."
  "kelvologviewer lists those logs, shows one, marks a search text as it is"
  "typed, searches across all logs and deletes old ones. kelvosend sends the"
  "messenger's datagrams, for demonstrations and tests.")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS hicolor-icon-theme)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The portable folder: the programs side by side in kelvo-VERSION-Linux/bin, which keeps
# the logs and the settings beside them.
set(CPACK_ARCHIVE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-portable)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_ARCHIVE_FILE_NAME})
include(CPack)
