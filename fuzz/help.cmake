qyr7_add_fuzz_target(help SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/help.cpp LIBS dialogs)
