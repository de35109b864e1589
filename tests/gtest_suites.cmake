# Writes a CTest file registering one test per GoogleTest suite of a test
# program: `PREFIX Suite` runs `--gtest_filter=Suite.*` in one process. Run
# after each link of the program (tests/CMakeLists.txt, PER_SUITE), so a suite
# added to the sources is registered without naming it anywhere.
#   cmake -D PROGRAM=... -D PREFIX=... -D TIMEOUT=... -D OUT=... -P gtest_suites.cmake
execute_process(
  COMMAND "${PROGRAM}" --gtest_list_tests
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --gtest_list_tests failed (${status}):\n${errors}")
endif()

# The suites are the lines that do not start with a space, "Suite." (with
# "Instance/Suite." for parameterised ones); the cases follow indented.
string(REPLACE "\n" ";" lines "${listing}")
set(tests "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ #]+)\\.(  #.*)?$")
    set(suite "${CMAKE_MATCH_1}")
    string(APPEND tests
      "add_test([=[${PREFIX}${suite}]=] [=[${PROGRAM}]=] [=[--gtest_filter=${suite}.*]=])\n"
      "set_tests_properties([=[${PREFIX}${suite}]=] PROPERTIES TIMEOUT ${TIMEOUT})\n")
  endif()
endforeach()
file(WRITE "${OUT}" "${tests}")
