qyr7_add_fuzz_target(dbh SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dbh.cpp LIBS app)
