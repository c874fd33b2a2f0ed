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
  target_include_directories(pergolan_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(pergolan_${name} PUBLIC Qt6::Core ${ARG_LIBS})
  pergolan_warnings(pergolan_${name})
  target_link_libraries(pergolan_core INTERFACE pergolan_${name})
endfunction()

# A GoogleTest executable registered with ctest, run headless with a private HOME.
function(pergolan_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
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
endfunction()
