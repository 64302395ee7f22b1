# Clipboard text pasted into a string grid.
qyr7_add_fuzz_target(clipgrid SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/clipgrid.cpp LIBS dialogs)
