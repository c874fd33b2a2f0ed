# Warnings on everywhere; CI turns them into errors with PERGOLAN_WERROR.
function(pergolan_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -Wnon-virtual-dtor -Wcast-align -Wunused
                                           -Woverloaded-virtual -Wimplicit-fallthrough)
  if(PERGOLAN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(PERGOLAN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# A UI-free subsystem library: pergolan_subsystem(NAME SOURCES ... LIBS ...).
function(pergolan_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(pergolan_${name} STATIC ${ARG_SOURCES})
  # The plugins (shared objects) link these libraries too: position-independent code always,
  # not only where Qt happens to ask its users for it (Qt 6.4 does, Qt 6.8 no longer).
  set_target_properties(pergolan_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(pergolan_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(pergolan_${name} PUBLIC Qt6::Core ${ARG_LIBS})
  pergolan_warnings(pergolan_${name})
  target_link_libraries(pergolan_core INTERFACE pergolan_${name})
endfunction()

# A GoogleTest executable registered with ctest, run headless with a private HOME.
# Every test but the office tests runs without an office: PERGOLAN_SOFFICE is empty, so nothing
# under test starts LibreOffice, and the pipe is the test's own, so nothing reaches an office
# another program left running. Called for every test in the folder that adds it; a test must
# have its own TIMEOUT by then, so that a hang fails in minutes.
function(pergolan_test_without_office name)
  get_test_property(${name} TIMEOUT timeout)
  if(NOT timeout)
    message(FATAL_ERROR "The test ${name} has no TIMEOUT.")
  endif()
  string(SHA1 build_hash "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${build_hash}" 0 8 build_hash)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
    "PERGOLAN_SOFFICE="
    "PERGOLAN_OFFICE_PIPE=pergolan_test_${name}_${build_hash}")
endfunction()

# A test program; OFFICE for the tests that run a LibreOffice of their own.
function(pergolan_test name)
  cmake_parse_arguments(ARG "OFFICE" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} pergolan_testsupport GTest::gtest GTest::gmock)
  pergolan_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=de_DE.UTF-8;LC_ALL=;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --no-sandbox --disable-background-networking;PERGOLAN_PROGRAM_DIR=${PERGOLAN_PROGRAM_DIR}")
  if(NOT ARG_OFFICE)
    pergolan_test_without_office(${name})
  endif()
endfunction()
