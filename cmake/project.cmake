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

# tarnwick_test(name SOURCES ... LIBS ... [WIN32_SOURCES ...] [WIN32_LIBS ...] [LABELS ...])
# A GoogleTest executable registered with CTest. In the win32 tree CTest runs it
# through the Wine wrapper (CMAKE_CROSSCOMPILING_EMULATOR), in the run's own prefix,
# with the WIN32_SOURCES and WIN32_LIBS added (the tests of the live machine).
function(tarnwick_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;WIN32_SOURCES;WIN32_LIBS;LABELS" ${ARGN})
  if(WIN32)
    list(APPEND T_SOURCES ${T_WIN32_SOURCES})
    list(APPEND T_LIBS ${T_WIN32_LIBS})
  endif()
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

# tarnwick_test_folder(target DEFINITION folder)
# Gives the target's code the folder of its test data as DEFINITION, a quoted
# path (in the win32 tree the path the test reaches it by under Wine, through
# drive Z:).
function(tarnwick_test_folder target definition folder)
  if(WIN32)
    string(REPLACE "/" "\\\\" folder "Z:${folder}")
  endif()
  target_compile_definitions(${target} PRIVATE "${definition}=\"${folder}\"")
endfunction()

# tarnwick_large_address_aware(target)
# Marks a 32-bit Windows program as able to use addresses above 2 GB, so
# that it gets 4 GB of address space on 64-bit Windows (3 GB on 32-bit
# Windows started with /3GB). Nothing in the programs keeps addresses in
# signed numbers or tests their sign.
# A test checks the flag in the built program's header.
function(tarnwick_large_address_aware target)
  if(WIN32)
    target_link_options(${target} PRIVATE -Wl,--large-address-aware)
    add_test(NAME ${target}_is_large_address_aware COMMAND ${CMAKE_OBJDUMP} -p $<TARGET_FILE:${target}>)
    set_tests_properties(${target}_is_large_address_aware PROPERTIES
      PASS_REGULAR_EXPRESSION "Characteristics[^\n]*\n([^\n]*\n)*[ \t]+large address aware")
  endif()
endfunction()

# tarnwick_take_turns(resource test ...)
# Lets the tests take turns on a resource they would otherwise share while
# CTest runs them side by side.
function(tarnwick_take_turns resource)
  foreach(test ${ARGN})
    get_test_property(${test} RESOURCE_LOCK locks)
    if(NOT locks)
      set(locks "")
    endif()
    list(APPEND locks "${resource}")
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK "${locks}")
  endforeach()
endfunction()

# tarnwick_share_classes_root(test ...)
# The win32 tests run in one Wine prefix, side by side. Tests that register,
# remove or compare classes under HKEY_CLASSES_ROOT would see each other's
# changes; they take turns on it instead.
function(tarnwick_share_classes_root)
  if(WIN32)
    tarnwick_take_turns(HKEY_CLASSES_ROOT ${ARGN})
  endif()
endfunction()

# tarnwick_share_desktop(test ...)
# The win32 tests also share one display and one Wine desktop. Tests that
# show windows read back their pixels, focus and activation, which another
# program's windows would cover or take; they take turns on the desktop.
function(tarnwick_share_desktop)
  if(WIN32)
    tarnwick_take_turns(desktop ${ARGN})
  endif()
endfunction()
