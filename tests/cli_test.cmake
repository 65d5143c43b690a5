# add_program_test(NAME EXE RC [OUT regex] [ERR regex] [REJECT regex] [PAGE file PAGE_MATCHES regex]
# [ARGS ...]): runs a command-line program as a user would and checks its exit status, its output
# and a file it writes (see import/cli_check.cmake).
function(add_program_test name exe rc)
  # A cross build's programs are tried by scripts/test-windows.sh, where they run: here they are
  # listed, not run.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E true)
    set_tests_properties(${name} PROPERTIES DISABLED TRUE)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 3 cli "" "OUT;ERR;REJECT;PAGE;PAGE_MATCHES" "ARGS")
  set(checks -DEXPECT_RC=${rc})
  if(cli_PAGE)
    list(APPEND checks "-DPAGE=${cli_PAGE}" "-DEXPECT_PAGE=${cli_PAGE_MATCHES}")
  endif()
  if(cli_OUT)
    list(APPEND checks "-DEXPECT_OUT=${cli_OUT}")
  endif()
  if(cli_ERR)
    list(APPEND checks "-DEXPECT_ERR=${cli_ERR}")
  endif()
  if(cli_REJECT)
    list(APPEND checks "-DREJECT=${cli_REJECT}")
  endif()
  string(REPLACE ";" "|" args "${cli_ARGS}")
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${exe}> "-DARGS=${args}" ${checks}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/import/cli_check.cmake)
endfunction()
