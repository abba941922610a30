# The distribution's hardening flags, for the program that is shipped: position
# independent executable, full RELRO (read-only relocations, bound at start),
# the strong stack protector and fortified libc calls. Taken from
# dpkg-buildflags where it is installed, with every hardening feature on
# (Debian 12 leaves bindnow to each package); otherwise the same values.
# Optimisation and debug info stay with the build type, and fortifying needs
# it to optimise. The Windows build keeps its own flags.
option(RASTERBLICK_HARDENING "Build with the distribution's hardening flags" OFF)

if(RASTERBLICK_HARDENING AND NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(RB_HARDENING_FLAGS_CPPFLAGS -Wdate-time -D_FORTIFY_SOURCE=2)
  set(RB_HARDENING_FLAGS_CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
  set(RB_HARDENING_FLAGS_LDFLAGS -Wl,-z,relro -Wl,-z,now)
  find_program(RB_DPKG_BUILDFLAGS dpkg-buildflags)
  if(RB_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
          ${RB_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(FILTER flags EXCLUDE REGEX "^-(g|O)")
      set(RB_HARDENING_FLAGS_${kind} ${flags})
    endforeach()
  endif()
  if(CMAKE_BUILD_TYPE MATCHES "^(Debug|)$")
    message(WARNING "RASTERBLICK_HARDENING: _FORTIFY_SOURCE does nothing without "
      "optimisation; use the Release or RelWithDebInfo build type")
  endif()
  add_compile_options(${RB_HARDENING_FLAGS_CPPFLAGS} ${RB_HARDENING_FLAGS_CXXFLAGS})
  add_link_options(${RB_HARDENING_FLAGS_LDFLAGS})
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  message(STATUS "Hardening: ${RB_HARDENING_FLAGS_CPPFLAGS} ${RB_HARDENING_FLAGS_CXXFLAGS} "
    "${RB_HARDENING_FLAGS_LDFLAGS}, PIE")
endif()
