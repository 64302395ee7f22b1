qyr7_add_fuzz_target(dxfblock SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dxfblock.cpp LIBS graphics)
