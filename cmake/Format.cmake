# "cmake --build build --target format" formats every C++ file of the repository with the
# .clang-format of its root, as CI checks it.
find_program(PERGOLAN_CLANG_FORMAT clang-format)
if(PERGOLAN_CLANG_FORMAT)
  add_custom_target(format
    COMMAND sh -c "git ls-files -z '*.cpp' '*.h' | xargs -0 '${PERGOLAN_CLANG_FORMAT}' -i"
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Formatting the sources with clang-format"
    VERBATIM)
endif()
