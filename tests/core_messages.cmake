uvola_test(core_messages_test SOURCES core_messages_test.cpp LIBS uvola_core)
