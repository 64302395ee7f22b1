qyr7_add_fuzz_target(errhelp SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/errhelp.cpp LIBS reports)
