# Settings shared by every target of the project.

# C++20 internals, warnings as errors, hidden symbols by default.
function(kdx_target_options tgt)
  target_compile_features(${tgt} PRIVATE cxx_std_20)
  set_target_properties(${tgt} PROPERTIES
    CXX_EXTENSIONS OFF
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    POSITION_INDEPENDENT_CODE ON)
  target_compile_options(${tgt} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${tgt} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
endfunction()

if(KDX_SANITIZE)
  string(REPLACE ";" "," _kdx_sanitizers "${KDX_SANITIZE}")
  add_compile_options(-fsanitize=${_kdx_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${_kdx_sanitizers})
  if("thread" IN_LIST KDX_SANITIZE)
    # Asio brackets handlers with atomic_thread_fence, which ThreadSanitizer does not model (g++ warns);
    # the hand-over between threads is by the scheduler's mutexes, which it does model.
    add_compile_options(-Wno-tsan)
  endif()
endif()

# A GoogleTest executable with its cases registered in ctest under a label and a time bound.
function(kdx_add_test name)
  cmake_parse_arguments(ARG "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  kdx_target_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT}
    DISCOVERY_TIMEOUT 60)
endfunction()

# Shared libraries export only what carries the export macro; static internals stay hidden.
function(kdx_library_link_options tgt)
  target_link_options(${tgt} PRIVATE -Wl,--exclude-libs,ALL)
  if(NOT KDX_SANITIZE)
    target_link_options(${tgt} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
