# Read by cpack once per generator.
if(CPACK_GENERATOR MATCHES "^(TGZ|TXZ|TBZ2|ZIP|7Z)$")
  # An archive is the portable program directory: unpack anywhere writable, run bellarune.
  string(REPLACE ";ALL;" ";portable;" CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_INSTALL_CMAKE_PROJECTS}")
elseif(CPACK_GENERATOR STREQUAL "DEB")
  # Install with the real prefix and DESTDIR, so the desktop entry's Exec reads /usr/bin/bellarune.
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)
endif()
