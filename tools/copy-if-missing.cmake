# Copies each of FILES into DEST unless a file of that name is already there.
file(MAKE_DIRECTORY "${DEST}")
foreach(f IN LISTS FILES)
  get_filename_component(name "${f}" NAME)
  if(NOT EXISTS "${DEST}/${name}")
    file(COPY "${f}" DESTINATION "${DEST}")
  endif()
endforeach()
