qyr7_add_fuzz_target(projfile SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/projfile.cpp LIBS drawings)
