# The protocol, serial and simulator layers run without a window system. Any
# Qt include or link there is a build error, checked at configure time (links)
# and on every build (includes, so a new file cannot slip one in).
function(cct_forbid_qt)
  cmake_parse_arguments(ARG "" "" "DIRS;TARGETS" ${ARGN})
  foreach(t IN LISTS ARG_TARGETS)
    get_target_property(libs ${t} LINK_LIBRARIES)
    if(libs)
      foreach(l IN LISTS libs)
        if(l MATCHES "[Qq]t[0-9]*(::|Core|Gui|Widgets)")
          message(FATAL_ERROR "${t} links ${l}: this layer must stay free of Qt")
        endif()
      endforeach()
    endif()
  endforeach()
  set(dirs "")
  foreach(d IN LISTS ARG_DIRS)
    list(APPEND dirs ${CMAKE_SOURCE_DIR}/${d})
  endforeach()
  add_custom_target(check_no_qt ALL
    COMMAND ${CMAKE_COMMAND} "-DDIRS=${dirs}" -P ${CMAKE_SOURCE_DIR}/cmake/CheckNoQtIncludes.cmake
    COMMENT "Checking that the plain layers include no Qt header"
    VERBATIM)
  foreach(t IN LISTS ARG_TARGETS)
    add_dependencies(${t} check_no_qt)
  endforeach()
endfunction()
