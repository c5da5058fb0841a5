# quorvane_add_fuzz_target(NAME SOURCES src... LIBS lib... CORPUS folder)
# SOURCES define LLVMFuzzerTestOneInput. Every build makes NAME_corpus, which runs the entry
# point over each file of CORPUS as a CTest test; with QUORVANE_BUILD_FUZZ (clang only) NAME
# is also built as the libFuzzer binary itself.
if(QUORVANE_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUORVANE_BUILD_FUZZ needs clang (CXX=clang++)")
  endif()
  if(NOT QUORVANE_SANITIZE STREQUAL "address")
    message(FATAL_ERROR "QUORVANE_BUILD_FUZZ needs -DQUORVANE_SANITIZE=address")
  endif()
  # Coverage feedback for the libraries under test, not only for the entry point.
  target_compile_options(quorvane_build_settings INTERFACE -fsanitize=fuzzer-no-link)
endif()

function(quorvane_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name}_corpus ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/FuzzCorpusMain.cpp)
  target_link_libraries(${name}_corpus PRIVATE ${ARG_LIBS} quorvane_build_settings)
  add_test(NAME ${name}_corpus COMMAND ${name}_corpus ${ARG_CORPUS})
  if(QUORVANE_BUILD_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} quorvane_build_settings)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endif()
endfunction()
