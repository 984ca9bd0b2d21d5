# marnova_split_update_host(<value> <host variable>)
# The update host as a build names it: host, host:port, [IPv6] or
# [IPv6]:port. Sets <host variable> to the host alone (brackets kept), which
# becomes the component's HostName; the whole value is the authority of its
# URL. Any other value stops the configure step, since a check against a
# garbled address would fail silently in every run of the program.
function(marnova_split_update_host value out)
  set(name "[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?")
  set(v6 "\\[[0-9A-Fa-f:.]*:[0-9A-Fa-f:.]*\\]")
  set(port "[1-9][0-9]?[0-9]?[0-9]?[0-9]?")
  if(NOT value MATCHES "^(${name}|${v6})(:(${port}))?$")
    message(FATAL_ERROR "MARNOVA_UPDATE_HOST \"${value}\" is neither host, host:port, "
      "[IPv6 address] nor [IPv6 address]:port (port 1 to 65535)")
  endif()
  set(host "${CMAKE_MATCH_1}")
  if(NOT CMAKE_MATCH_4 STREQUAL "" AND CMAKE_MATCH_4 GREATER 65535)
    message(FATAL_ERROR "MARNOVA_UPDATE_HOST \"${value}\": port ${CMAKE_MATCH_4} is above 65535")
  endif()
  set(${out} "${host}" PARENT_SCOPE)
endfunction()

# As a script, for the test: cmake -DVALUE=<value> -P MarnovaUpdateHost.cmake
# prints the host.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  marnova_split_update_host("${VALUE}" host)
  message(STATUS "host=${host}")
endif()
