qyr7_add_fuzz_target(dbexpr SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dbexpr.cpp LIBS xbase)
