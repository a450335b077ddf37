# Included by the install script: writes the desktop entry with Exec set to the game under
# the install prefix (BINDIR: bin or games), quoted the way desktop entries quote a path.
function(write_desktop_entry template)
  # A relative --prefix is taken from the current directory, as the files themselves are.
  get_filename_component(program "${CMAKE_INSTALL_PREFIX}/${BINDIR}/bellarune" ABSOLUTE)
  if(program MATCHES "^[A-Za-z0-9_/.+-]+$")
    set(BELLARUNE_EXEC "${program}")
  else()
    # Inside the quotes \ " ` $ are escaped; % is doubled; then the value's own escape doubles \.
    string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" quoted "${program}")
    string(REPLACE "%" "%%" quoted "${quoted}")
    string(REPLACE "\\" "\\\\" quoted "${quoted}")
    set(BELLARUNE_EXEC "\"${quoted}\"")
  endif()
  set(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications")
  set(file "${dir}/${BELLARUNE_APP_ID}.desktop")
  message(STATUS "Installing: ${file}")
  configure_file("${template}" "${file}" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${file}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()
