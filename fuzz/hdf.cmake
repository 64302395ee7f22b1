qyr7_add_fuzz_target(hdf SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/hdf.cpp LIBS planetary)
