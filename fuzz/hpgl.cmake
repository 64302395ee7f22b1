# HP-GL pictures: the reader drawing into the display list through the facade.
qyr7_add_fuzz_target(hpgl SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/hpgl.cpp LIBS graphics)
# The test pictures of the reader's own tests (the hp2xx-checked ones among
# them) and the help pictures we ship are replayed as well.
add_test(NAME fuzz_replay_hpgl_test_pictures
         COMMAND replay_hpgl ${CMAKE_SOURCE_DIR}/tests/graphics/hpgl ${CMAKE_SOURCE_DIR}/data/help)
set_tests_properties(fuzz_replay_hpgl_test_pictures PROPERTIES ENVIRONMENT "LC_ALL=C")
