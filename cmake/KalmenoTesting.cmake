# kalmeno_add_test(NAME SOURCES a.cpp ... LIBS lib ... [QT_OFFSCREEN])
# One GoogleTest executable, one ctest entry. Test programs live outside the staged tree.
# The whole ctest run happens under one Xvfb display (scripts/test.sh), so OpenGL tests just work;
# QT_OFFSCREEN runs a widget test without a display.
function(kalmeno_add_test name)
  cmake_parse_arguments(T "QT_OFFSCREEN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  kalmeno_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KALMENO_TEST_BIN})
  add_test(NAME ${name} COMMAND ${KALMENO_TEST_LAUNCHER} $<TARGET_FILE:${name}>)
  kalmeno_test_environment(${name})
  if(T_QT_OFFSCREEN)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

# The sanitizer build runs each test through a launcher that gives it a second run when the leak
# checker itself crashed at a process's exit.
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize=[^ ]*address")
  set(KALMENO_TEST_LAUNCHER bash ${PROJECT_SOURCE_DIR}/tests/support/rerunaftersanitizercrash.sh)
else()
  set(KALMENO_TEST_LAUNCHER)
endif()

# kalmeno_test_environment(TEST)
# What every test and the programs it starts run with: the sanitizers' options, where the staged
# tree and the sources are, and a time limit.
function(kalmeno_test_environment name)
  set(env "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
          "KALMENO_STAGE_DIR=${KALMENO_STAGE_DIR}"
          "KALMENO_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
