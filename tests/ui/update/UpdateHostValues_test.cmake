# The update host values a build accepts, with the host each gives, and the
# values that stop the configure step with a message naming the value.
set(module ${CMAKE_CURRENT_LIST_DIR}/../../../cmake/MarnovaUpdateHost.cmake)
set(cases
  "www.quorvel.example=www.quorvel.example"
  "127.0.0.1:18431=127.0.0.1"
  "[::1]=[::1]"
  "[::1]:18431=[::1]"
  "localhost:65535=localhost"
  "host:0=error"
  "host:65536=error"
  "host:=error"
  "http://host=error"
  "host/path=error"
  "user@host=error"
  "::1=error"
  "[::1=error"
  "[::1]x=error"
  "a b=error"
  "=error")
set(failed 0)
foreach(case ${cases})
  string(FIND "${case}" "=" at REVERSE)
  string(SUBSTRING "${case}" 0 ${at} value)
  math(EXPR from "${at} + 1")
  string(SUBSTRING "${case}" ${from} -1 expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -DVALUE=${value} -P ${module}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX REPLACE "[ \n]+" " " err "${err}")
  if(expected STREQUAL "error")
    if(status EQUAL 0 OR NOT err MATCHES "MARNOVA_UPDATE_HOST \"")
      message(SEND_ERROR "'${value}' was accepted or failed without naming the value: ${out}${err}")
      set(failed 1)
    endif()
  elseif(NOT status EQUAL 0 OR NOT out MATCHES "host=([^\n]*)" OR NOT CMAKE_MATCH_1 STREQUAL expected)
    message(SEND_ERROR "'${value}' should give host '${expected}': ${out}${err}")
    set(failed 1)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "update host values wrong")
endif()
