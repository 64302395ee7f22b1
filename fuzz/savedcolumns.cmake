qyr7_add_fuzz_target(savedcolumns SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/savedcolumns.cpp LIBS xbase)
