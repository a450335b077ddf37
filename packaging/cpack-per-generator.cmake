# Read by cpack once per generator.
if(CPACK_GENERATOR MATCHES "^(TGZ|TXZ|TBZ2|ZIP|7Z)$")
  # An archive is the portable program directory: unpack anywhere writable, run bellarune.
  string(REPLACE ";ALL;" ";portable;" CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_INSTALL_CMAKE_PROJECTS}")
elseif(CPACK_GENERATOR STREQUAL "DEB")
  # CPack installs a .deb with DESTDIR and the prefix /usr: the shared files and the
  # programs in /usr/games, whose desktop entry's Exec reads /usr/games/bellarune.
  list(GET CPACK_INSTALL_CMAKE_PROJECTS 0 build)
  list(GET CPACK_INSTALL_CMAKE_PROJECTS 1 project)
  set(CPACK_INSTALL_CMAKE_PROJECTS "${build};${project};Unspecified;/;${build};${project};debian;/")
  # The same bytes from every build: every file dated at the release.
  set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/date-files.cmake")
  set(ENV{SOURCE_DATE_EPOCH} "${CPACK_BELLARUNE_RELEASE_EPOCH}")
  #
  # The libraries the programs need, found by dpkg-shlibdeps as CPack's own SHLIBDEPS option
  # would, but without that option's run of `file` on each of the ~400 pictures and sounds.
  set(work "${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/shlibdeps")
  file(MAKE_DIRECTORY "${work}/debian")
  file(WRITE "${work}/debian/control" "")
  execute_process(COMMAND dpkg-shlibdeps -O ${CPACK_BELLARUNE_PROGRAM_FILES}
    WORKING_DIRECTORY "${work}" RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0 OR NOT out MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps (package dpkg-dev) could not list the libraries: ${err}")
  endif()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CMAKE_MATCH_1}")
endif()
