# vk_add_gtest(TARGET [TIMEOUT seconds]): registers a GoogleTest executable
# with CTest. Natively each test case is an entry of its own, with the time
# limit given. In a cross build every start of a test program is a start of
# the emulator (a second or more under Wine), so the executable is one entry
# that runs all its cases, with a time limit for all of them. A run that
# hangs fails instead of holding up the whole suite.
function(vk_add_gtest target)
  cmake_parse_arguments(ARG "" "TIMEOUT" "" ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    # Wine keeps its Windows in a prefix of the build's own.
    set_tests_properties(${target} PROPERTIES TIMEOUT 1200
      ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine;WINEDEBUG=-all")
  elseif(ARG_TIMEOUT)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
