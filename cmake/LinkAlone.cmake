# quorvane_check_links_alone(LIB): builds LIB_links_alone, a program that links every object
# of LIB and, besides, only what LIB itself links. It fails to link when LIB uses a function
# that only a library above it defines, so each build proves that the layers depend downwards.
function(quorvane_check_links_alone lib)
  add_executable(${lib}_links_alone ${PROJECT_SOURCE_DIR}/cmake/EmptyMain.cpp)
  target_link_libraries(${lib}_links_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>" quorvane_build_settings)
endfunction()
