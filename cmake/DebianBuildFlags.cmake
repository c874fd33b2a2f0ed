# The optimised builds (Release, RelWithDebInfo, MinSizeRel) are hardened as Debian builds its
# packages: the flags come from dpkg-buildflags of the release the build runs on (fortified C
# library calls, stack protector, format checks, read-only relocations ...). Optimisation and
# debug information stay the build type's; the file-prefix map (no hardening, and bound to the
# folder dpkg-buildflags was asked in) stays out. The sanitizer build keeps its own flags.
option(PERGOLAN_DEBIAN_BUILDFLAGS "Use the hardening flags of dpkg-buildflags" ON)
find_program(PERGOLAN_DPKG_BUILDFLAGS dpkg-buildflags)
if(PERGOLAN_DEBIAN_BUILDFLAGS AND PERGOLAN_DPKG_BUILDFLAGS AND NOT PERGOLAN_SANITIZE)
  set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${PERGOLAN_DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-O|^-g|-prefix-map=")
    set(debian_${kind} ${flags})
  endforeach()
  message(STATUS "Debian build flags: ${debian_CPPFLAGS} ${debian_CXXFLAGS} ${debian_LDFLAGS}")
  foreach(flag IN LISTS debian_CPPFLAGS)
    add_compile_options("$<${optimised}:${flag}>")
  endforeach()
  foreach(flag IN LISTS debian_CXXFLAGS)
    add_compile_options("$<$<AND:${optimised},$<COMPILE_LANGUAGE:CXX>>:${flag}>")
  endforeach()
  foreach(flag IN LISTS debian_CFLAGS)
    add_compile_options("$<$<AND:${optimised},$<COMPILE_LANGUAGE:C>>:${flag}>")
  endforeach()
  foreach(flag IN LISTS debian_LDFLAGS)
    add_link_options("$<${optimised}:${flag}>")
  endforeach()
endif()
