# Tooth outlines from arbitrary gear and tool data: module, tooth number,
# profile shift, tool, helix angle, allowances and point counts.
qyr7_add_fuzz_target(toothcontour SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/toothcontour.cpp LIBS drawings)
