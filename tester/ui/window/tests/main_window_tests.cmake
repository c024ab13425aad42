# The main window in the test's own process, with the real control, the
# program's resources and real files. The stand-in program records the command lines the window starts;
# copies of it named notepad.exe and winhelp.exe sit beside the test, where
# a program search looks first. Screenshots of the windows are kept in
# <build>/artifacts/screenshots for reviewers.
quarrow_add_test(quarrow_window_tests
  SOURCES main_window_test.cpp window_test_support.cpp ${CMAKE_BINARY_DIR}/tester/ui/window/Qrw32.rc
  LIBS quarrow_window quarrow_fixtures quarrow_screenshots
  GUI)
target_include_directories(quarrow_window_tests PRIVATE ${PROJECT_SOURCE_DIR}/tester/ui/tests)
add_dependencies(quarrow_window_tests MzDeck2 record_command quarrow_assets)
target_compile_definitions(quarrow_window_tests PRIVATE
  "QUARROW_TOOLBAR_STATE_FILE=\"${QUARROW_TOOLBAR_STATE_FILE}\""
  "QUARROW_MZDECK2_DIR=\"$<TARGET_FILE_DIR:MzDeck2>\""
  "QUARROW_PROGRAM_DIR=\"${QUARROW_PROGRAM_DIR}\""
  "QUARROW_RECORDER=\"$<TARGET_FILE:record_command>\""
  "QUARROW_ARTIFACT_DIR=\"${CMAKE_BINARY_DIR}/artifacts/screenshots\"")
add_custom_command(TARGET quarrow_window_tests POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:record_command>
          $<TARGET_FILE_DIR:quarrow_window_tests>/notepad.exe
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:record_command>
          $<TARGET_FILE_DIR:quarrow_window_tests>/winhelp.exe
  VERBATIM)
set_source_files_properties(${CMAKE_BINARY_DIR}/tester/ui/window/Qrw32.rc PROPERTIES
  OBJECT_DEPENDS "${QUARROW_SPLASH_BMP};${QUARROW_TOOLBAR_STATE_FILE}")
# The program finds its first instance's main window by class: no other
# test may show a main window meanwhile. One test unregisters the control
# for a while. Its windows come to the front (the input lock).
set_tests_properties(quarrow_window_tests PROPERTIES RESOURCE_LOCK "quarrow_single_instance;mzdeck_registry;input")
