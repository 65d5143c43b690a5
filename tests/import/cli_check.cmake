# Runs oidwright-import with ARGS (a ;-list) and checks its exit status and output.
# -DEXE=... -DARGS=a|b|c -DEXPECT_RC=... -DEXPECT_OUT=regex -DEXPECT_ERR=regex
# -DREJECT=regex fails when stdout or stderr matches it (a secret that must not show).
string(REPLACE "|" ";" ARGS "${ARGS}")
execute_process(COMMAND ${EXE} ${ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL EXPECT_RC)
  message(FATAL_ERROR "exit status ${rc}, expected ${EXPECT_RC}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED EXPECT_OUT AND NOT out MATCHES "${EXPECT_OUT}")
  message(FATAL_ERROR "stdout does not match ${EXPECT_OUT}:\n${out}")
endif()
if(DEFINED EXPECT_ERR AND NOT err MATCHES "${EXPECT_ERR}")
  message(FATAL_ERROR "stderr does not match ${EXPECT_ERR}:\n${err}")
endif()
if(DEFINED REJECT AND (out MATCHES "${REJECT}" OR err MATCHES "${REJECT}"))
  message(FATAL_ERROR "output matches ${REJECT}:\nstdout:\n${out}\nstderr:\n${err}")
endif()
