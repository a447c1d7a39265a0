# One static library per source folder, built from every source in it. A
# folder below another (logentry/rules) is named with "_" for its target
# (logentry_rules). A folder without sources yet gets no target; its
# dependants skip it.
function(ost_target_name out path)
  string(REPLACE "/" "_" name "${path}")
  set(${out} ${name} PARENT_SCOPE)
endfunction()

function(ost_folder path)
  ost_target_name(name ${path})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/${path}/*.cpp ${PROJECT_SOURCE_DIR}/${path}/*.h)
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

# One GoogleTest executable per folder, from tests/<folder>/*.cpp, linked
# against the folder's library (or the one named after the folder).
function(ost_tests path)
  ost_target_name(name ${path})
  set(lib ${name})
  if(ARGC GREATER 1)
    set(lib ${ARGV1})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/tests/${path}/*.cpp ${PROJECT_SOURCE_DIR}/tests/${path}/*.h)
  if(NOT srcs OR NOT TARGET ${lib})
    return()
  endif()
  add_executable(${name}_tests ${srcs})
  target_link_libraries(${name}_tests PRIVATE ${lib} ost_testsupport)
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name}_tests)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
