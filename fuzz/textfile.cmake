qyr7_add_fuzz_target(textfile SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/textfile.cpp LIBS foundation)
