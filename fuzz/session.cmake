qyr7_add_fuzz_target(session SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/session.cpp LIBS app)
