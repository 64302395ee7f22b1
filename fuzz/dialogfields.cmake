# Typed texts in every field of the stage input forms, then stored.
qyr7_add_fuzz_target(dialogfields SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dialogfields.cpp LIBS dialogs)
