# Every target links quorvane_build_settings, so the language level, the warnings and the
# sanitizer switches are set in this one place.
add_library(quorvane_build_settings INTERFACE)
target_compile_features(quorvane_build_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(quorvane_build_settings INTERFACE -Wall -Wextra)
target_include_directories(quorvane_build_settings INTERFACE ${PROJECT_SOURCE_DIR})

if(QUORVANE_SANITIZE STREQUAL "address")
  target_compile_options(quorvane_build_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quorvane_build_settings INTERFACE -fsanitize=address,undefined)
elseif(QUORVANE_SANITIZE STREQUAL "thread")
  target_compile_options(quorvane_build_settings INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(quorvane_build_settings INTERFACE -fsanitize=thread)
elseif(NOT QUORVANE_SANITIZE STREQUAL "")
  message(FATAL_ERROR "QUORVANE_SANITIZE must be empty, 'address' or 'thread'")
endif()
