qyr7_add_fuzz_target(kol SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/kol.cpp LIBS planetary)
