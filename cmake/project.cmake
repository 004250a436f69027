# Compiler flags shared by every target, and helpers for tests and programs.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra)
endif()

if(WIN32)
  # mingw-w64 for i686: ANSI Win32, Windows XP and later, everything linked statically.
  add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX)
  add_link_options(-static -static-libgcc -static-libstdc++)
elseif(SANITIZE)
  add_compile_options(-fsanitize=${SANITIZE} -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${SANITIZE})
  if(SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()

# tarnwick_test(name SOURCES ... LIBS ... [LABELS ...])
# A GoogleTest executable registered with CTest. In the win32 tree CTest runs it
# through the Wine wrapper (CMAKE_CROSSCOMPILING_EMULATOR), in the run's own prefix.
function(tarnwick_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # The ThreadSanitizer tree builds and runs only the tests labelled "threads".
  if(SANITIZE STREQUAL "thread" AND NOT "threads" IN_LIST T_LABELS)
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
    return()
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main gtest)
  if(WIN32)
    set_target_properties(${name} PROPERTIES LINK_FLAGS "-mconsole")
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
