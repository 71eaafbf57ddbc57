# The readers of broker statements: one harness for each, built from one source.
foreach(reader ibkr_csv ibkr_flex plain_csv)
  list(FIND "ibkr_csv;ibkr_flex;plain_csv" ${reader} index)
  talver_fuzzer(statement_${reader} FuzzStatement.cpp talver_import)
  target_compile_definitions(fuzz_statement_${reader} PRIVATE
    TALVER_STATEMENT_READER=${index}
    TALVER_RESOURCE_FILES="${CMAKE_SOURCE_DIR}/resources")
endforeach()
