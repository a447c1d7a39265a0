# One static library per top-level folder, built from every source in it.
# A folder without sources yet gets no target; its dependants skip it.
function(ost_folder name)
  file(GLOB srcs CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/${name}/*.cpp ${PROJECT_SOURCE_DIR}/${name}/*.h)
  # Files holding a main() are executables, not library units.
  list(FILTER srcs EXCLUDE REGEX ".*/(main|ostrelon)\\.cpp$")
  if(NOT srcs)
    return()
  endif()
  set(deps)
  foreach(dep IN LISTS ARGN)
    if(TARGET ${dep} OR dep MATCHES "::")
      list(APPEND deps ${dep})
    endif()
  endforeach()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${deps})
endfunction()

# One GoogleTest executable per folder, from tests/<folder>/*.cpp.
function(ost_tests name)
  file(GLOB srcs CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp ${PROJECT_SOURCE_DIR}/tests/${name}/*.h)
  if(NOT srcs OR NOT TARGET ${name})
    return()
  endif()
  add_executable(${name}_tests ${srcs})
  target_link_libraries(${name}_tests PRIVATE ${name} ost_testsupport)
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name}_tests)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
