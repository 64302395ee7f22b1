qyr7_add_fuzz_target(memo SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/memo.cpp LIBS xbase)
