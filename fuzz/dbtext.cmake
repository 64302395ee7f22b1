qyr7_add_fuzz_target(dbtext SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dbtext.cpp LIBS xbase)
