# pruv_add_library(name SOURCES a.cpp ... LIBS dep ...)
# One static library per folder, its family subfolders included, with Qt's headers precompiled.
function(pruv_add_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  target_precompile_headers(${name} PRIVATE <QString> <QStringList> <QList> <memory> <vector> <string>)
endfunction()

# pruv_add_test(name SOURCES a.cpp ... LIBS dep ... [GUI])
# Every case runs with a pinned locale and time zone, offscreen, in a fresh program folder
# (see tests/support/ProgramaDeTeste.h).
function(pruv_add_test name)
  cmake_parse_arguments(A "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(A_GUI)
    set(main_lib testsupport_gui_main)
  else()
    set(main_lib testsupport_main)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} testsupport ${main_lib} GTest::gtest GTest::gmock)
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h> <QString>)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  # gtest_discover_tests flattens a list given as a property value, so that only its first
  # variable reached the tests; the environment is set instead by a script that ctest reads
  # after the discovery's own, on every test the discovery listed. PRUV2003_AMBIENTE_DE_TESTE
  # comes first so that a list cut after one entry shows (test_support checks it).
  set(ambiente "PRUV2003_AMBIENTE_DE_TESTE=1;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC")
  string(APPEND ambiente ";QT_QPA_PLATFORM=offscreen;PRUV2003_NO_SPLASH=1")
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_ambiente.cmake")
  file(WRITE "${script}"
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${ambiente}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
