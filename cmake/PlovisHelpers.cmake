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

# plovis_layer(<target> <folder> [FOLDERS <more folders>...] [LINKS <targets>...]): one layer of
# the architecture as a static library of the .cpp files of src/<folder> (and of the folders
# given, parts of the same layer), linking the layers below it privately.
# Each layer sees only its own headers and those of the layers it links: its include root holds
# links to the headers of src/<folder> alone (not of folders inside it), so including a header
# of a layer it does not link fails to compile.
function(plovis_layer target folder)
  cmake_parse_arguments(ARG "" "" "FOLDERS;LINKS" ${ARGN})
  set(root "${PROJECT_BINARY_DIR}/layers/${target}")
  file(REMOVE_RECURSE "${root}")
  set(sources)
  foreach(part IN ITEMS ${folder} ${ARG_FOLDERS})
    file(GLOB found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${part}/*.cpp")
    list(APPEND sources ${found})
    file(GLOB headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${part}/*.h")
    file(MAKE_DIRECTORY "${root}/${part}")
    foreach(header IN LISTS headers)
      get_filename_component(name "${header}" NAME)
      file(CREATE_LINK "${header}" "${root}/${part}/${name}" SYMBOLIC)
    endforeach()
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${root}")
  target_link_libraries(${target} PRIVATE ${ARG_LINKS})
endfunction()
