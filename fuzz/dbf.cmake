qyr7_add_fuzz_target(dbf SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dbf.cpp LIBS xbase)
