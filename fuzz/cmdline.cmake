qyr7_add_fuzz_target(cmdline SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/cmdline.cpp LIBS app)
