# The hardening flags a Debian package is built with, for the optimised builds
# the programs ship from (RelWithDebInfo, the default of build/, and Release):
# a grabber library that writes past one of our buffers then aborts the
# program instead of silently corrupting it. The sanitizer builds
# (CCT_SANITIZE) and the fuzz build (CCT_FUZZERS) bring their own
# instrumentation and keep it alone; Debug builds stay unoptimised, where
# _FORTIFY_SOURCE has no effect and glibc warns about it.
#
# The flags come from dpkg-buildflags where it is installed, with every
# hardening feature on (Debian 12 leaves immediate binding off by default).
# Only the hardening part of its answer is taken: the build type keeps its own
# optimisation and debugging level, and the source paths stay as they are in
# the debugging data the build tree keeps. Without dpkg-buildflags the same
# set is given by hand. Stack clash protection and control-flow protection
# are added where dpkg-buildflags does not give them yet (Debian 12) and the
# compiler knows them: hardening-check looks for both (its control-flow check
# also needs C start files marked for it, which Debian 12 does not ship).
# -DCCT_DPKG_BUILDFLAGS=OFF takes the built-in set where dpkg-buildflags is.
option(CCT_HARDENING "Build the optimised programs with the distribution's hardening flags" ON)

set(cct_hardened_build_types RelWithDebInfo Release MinSizeRel)
set(CCT_HARDENED OFF)
if(CCT_HARDENING AND NOT CCT_SANITIZE AND NOT CCT_FUZZERS
   AND CMAKE_BUILD_TYPE IN_LIST cct_hardened_build_types)
  set(CCT_HARDENED ON)
endif()

# cct_dpkg_buildflags(OUT FLAG): dpkg-buildflags' value of FLAG (CXXFLAGS,
# LDFLAGS, ...) as a list, less what the build type decides itself.
function(cct_dpkg_buildflags out flag)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${CCT_DPKG_BUILDFLAGS} --get ${flag}
    OUTPUT_VARIABLE value
    OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-buildflags --get ${flag} failed (${rc})")
  endif()
  separate_arguments(value UNIX_COMMAND "${value}")
  # Optimisation and debugging level, and the path maps of reproducible
  # builds: the build type's business, not hardening.
  list(FILTER value EXCLUDE REGEX "^-(O.*|g.*|f(file|debug|macro)-prefix-map=.*)$")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

if(CCT_HARDENED)
  find_program(CCT_DPKG_BUILDFLAGS dpkg-buildflags)
  if(CCT_DPKG_BUILDFLAGS)
    cct_dpkg_buildflags(cct_hardening_cppflags CPPFLAGS)
    cct_dpkg_buildflags(cct_hardening_cflags CFLAGS)
    cct_dpkg_buildflags(cct_hardening_cxxflags CXXFLAGS)
    cct_dpkg_buildflags(cct_hardening_ldflags LDFLAGS)
    set(cct_hardening_source "dpkg-buildflags")
  else()
    # A compiler that already defines _FORTIFY_SOURCE would warn about the
    # second definition.
    set(cct_hardening_cppflags -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
    set(cct_hardening_cflags -fstack-protector-strong -Wformat -Werror=format-security)
    set(cct_hardening_cxxflags ${cct_hardening_cflags})
    set(cct_hardening_ldflags -Wl,-z,relro -Wl,-z,now)
    set(cct_hardening_source "the built-in set")
  endif()
  include(CheckCXXCompilerFlag)
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "CCT_HAS${flag}" known)
    if(NOT flag IN_LIST cct_hardening_cxxflags)
      check_cxx_compiler_flag(${flag} ${known})
      if(${known})
        list(APPEND cct_hardening_cflags ${flag})
        list(APPEND cct_hardening_cxxflags ${flag})
      endif()
    endif()
  endforeach()
  # Every target after this point, the fake grabber libraries included.
  add_compile_options(${cct_hardening_cppflags}
                      "$<$<COMPILE_LANGUAGE:C>:${cct_hardening_cflags}>"
                      "$<$<COMPILE_LANGUAGE:CXX>:${cct_hardening_cxxflags}>")
  add_link_options(${cct_hardening_ldflags})
  # The programs are position independent; make sure they are linked as such
  # too, whatever the compiler's default.
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  list(JOIN cct_hardening_cppflags " " cct_cpp)
  list(JOIN cct_hardening_cxxflags " " cct_cxx)
  list(JOIN cct_hardening_ldflags " " cct_ld)
  message(STATUS "Hardening (from ${cct_hardening_source}): ${cct_cpp} ${cct_cxx}; link: ${cct_ld}")
else()
  message(STATUS "Hardening: off for this build")
endif()
