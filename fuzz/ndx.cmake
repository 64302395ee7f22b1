# Index files: anchor and node pages read by the index engine of a table.
qyr7_add_fuzz_target(ndx SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/ndx.cpp LIBS xbase)
