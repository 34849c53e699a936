# plovis_sources(<var> <folder>...): the .cpp files of the named folders under src/.
# Each folder is one piece of the architecture; new files are picked up at the next build.
function(plovis_sources var)
  set(files)
  foreach(folder IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp")
    list(APPEND files ${found})
  endforeach()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# plovis_test_folder(<name> LIBS <targets>...): one GoogleTest program from tests/<name>/*.cpp.
function(plovis_test_folder name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp")
  if(NOT found)
    return()
  endif()
  set(target test_${name})
  string(REPLACE "/" "_" target "${target}")
  add_executable(${target} ${found})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} plovis_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${target}
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    # One variable only: the test discovery splits a list of them into separate properties, and
    # the source tree is the working directory anyway.
    PROPERTIES ENVIRONMENT "PLOVIS_BINARY_DIR=${PROJECT_BINARY_DIR}"
    DISCOVERY_TIMEOUT 60)
endfunction()
