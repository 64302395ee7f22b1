qyr7_add_fuzz_target(cfg SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/cfg.cpp LIBS app)
