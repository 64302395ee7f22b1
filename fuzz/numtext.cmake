# Number-text readers and the formatters whose texts they read back.
qyr7_add_fuzz_target(numtext SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/numtext.cpp LIBS foundation)
