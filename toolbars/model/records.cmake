# The platform-free codec of the control's persisted records: the library,
# its tests, the generator of the fuzz seeds and the fuzz target. Included
# from the root CMakeLists.txt; every path is absolute so it works from there.

get_filename_component(MZDECK_RECORDS_ROOT ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
set(MZDECK_RECORDS_DIR ${CMAKE_CURRENT_LIST_DIR})

add_library(mzdeck_records STATIC
  ${MZDECK_RECORDS_DIR}/record_reader.cpp
  ${MZDECK_RECORDS_DIR}/record_control_block.cpp
  ${MZDECK_RECORDS_DIR}/record_tool.cpp
  ${MZDECK_RECORDS_DIR}/record_toolbar.cpp
  ${MZDECK_RECORDS_DIR}/record_tools_stream.cpp
  ${MZDECK_RECORDS_DIR}/record_control_stream.cpp
  ${MZDECK_RECORDS_DIR}/record_layout.cpp
  ${MZDECK_RECORDS_DIR}/record_picture_strip.cpp)
target_include_directories(mzdeck_records PUBLIC ${MZDECK_RECORDS_ROOT})
target_compile_features(mzdeck_records PUBLIC cxx_std_20)

# Sample records and hand-built streams shared by the tests and the seed
# generator.
if(QUARROW_TESTS OR QUARROW_FUZZ)
  add_library(mzdeck_record_fixtures STATIC ${MZDECK_RECORDS_DIR}/tests/record_fixtures.cpp)
  target_link_libraries(mzdeck_record_fixtures PUBLIC mzdeck_records)

  # make_record_seeds DIR: writes the fuzz target's seed inputs into DIR.
  add_executable(make_record_seeds ${MZDECK_RECORDS_DIR}/tests/make_record_seeds.cpp)
  target_link_libraries(make_record_seeds PRIVATE mzdeck_record_fixtures)
endif()

if(QUARROW_TESTS)
  quarrow_add_test(mzdeck_records_test
    SOURCES
      ${MZDECK_RECORDS_DIR}/tests/record_reader_test.cpp
      ${MZDECK_RECORDS_DIR}/tests/record_control_block_test.cpp
      ${MZDECK_RECORDS_DIR}/tests/record_tool_test.cpp
      ${MZDECK_RECORDS_DIR}/tests/record_toolbar_test.cpp
      ${MZDECK_RECORDS_DIR}/tests/record_control_stream_test.cpp
      ${MZDECK_RECORDS_DIR}/tests/record_layout_test.cpp
      ${MZDECK_RECORDS_DIR}/tests/record_picture_strip_test.cpp
    LIBS mzdeck_record_fixtures)
endif()

if(QUARROW_FUZZ)
  # Coverage feedback for the code under test, not only the target itself.
  target_compile_options(mzdeck_records PRIVATE -fsanitize=fuzzer-no-link)
  target_compile_options(mzdeck_record_fixtures PRIVATE -fsanitize=fuzzer-no-link)
  add_executable(fuzz_records ${MZDECK_RECORDS_ROOT}/fuzz/fuzz_records.cpp)
  target_compile_options(fuzz_records PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_records PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_records PRIVATE mzdeck_record_fixtures)
  # Beside the other fuzz targets, where the fuzz script looks for them.
  set_target_properties(fuzz_records PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endif()
