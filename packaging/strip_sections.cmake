# SPDX-License-Identifier: MIT
# Run by CPack on the staged files before it builds the package: removes the sections that
# `strip` keeps and Debian's packages leave out (.comment, the compilers' version strings, and .note).
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS staged)
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46" AND NOT IS_SYMLINK "${file}")  # an ELF file
    execute_process(COMMAND "${CPACK_SYLVANODE_STRIP}" --remove-section=.comment --remove-section=.note "${file}"
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${CPACK_SYLVANODE_STRIP} failed on ${file}")
    endif()
  endif()
endforeach()
