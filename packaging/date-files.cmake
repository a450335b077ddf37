# Run by cpack before it packs the .deb: dates every staged file at the release, so the
# package's bytes do not depend on when it was built.
execute_process(COMMAND find "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" -exec touch -h -d "@${CPACK_BELLARUNE_RELEASE_EPOCH}" {} +
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not date the staged files")
endif()
