# The benchmark on a small generated history, run once by the test suite so
# that it cannot rot: three weeks at twelve tables, every operation once.
# Fails when the generator or an operation fails, never on timings.
#
#   cmake -DGEN=tabulor-gen -DBENCH=tabulor-bench -DWORK=dir -P Smoke.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GEN} --days 21 --tables 12 ${WORK}/history.db
                RESULT_VARIABLE generated OUTPUT_QUIET)
if(NOT generated EQUAL 0)
  message(FATAL_ERROR "tabulor-gen failed (${generated})")
endif()
execute_process(COMMAND ${BENCH} --runs 1 ${WORK}/history.db RESULT_VARIABLE measured)
if(NOT measured EQUAL 0)
  message(FATAL_ERROR "tabulor-bench failed (${measured})")
endif()
file(REMOVE_RECURSE ${WORK})
