# vorlinde_add_library(<name> [EXCLUDE <files...>] DEPS <libs...>)
# A subsystem's static library from every .cpp below the current folder. While a subsystem
# has no sources yet it is an interface library, so that the tree configures at every stage.
function(vorlinde_add_library name)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(x IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${x})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# vorlinde_add_test_area(<area> LIBS <libs...> [RESOURCES])
# Builds tests/<area>/*.cpp into <area>_tests and registers every test case with ctest.
# RESOURCES links the program's resources (form descriptions, icon) into the test executable.
# gtest_main supplies main() unless the area's sources define their own.
function(vorlinde_add_test_area area)
  cmake_parse_arguments(ARG "RESOURCES" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target ${area}_tests)
  if(ARG_RESOURCES)
    list(APPEND sources $<TARGET_OBJECTS:vorlinde_resources>)
  endif()
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} gtest gmock gtest_main)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE
    VORLINDE_SAMPLES_DIR="${VORLINDE_SAMPLES_DIR}")
  if(TARGET sample_movies)
    add_dependencies(${target} sample_movies)
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES TIMEOUT 60)
endfunction()
