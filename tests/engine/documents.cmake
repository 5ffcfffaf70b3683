# Document intake, settings, log-ins, file lists and their queries.
plover_test(settings_parser_test ${CMAKE_CURRENT_LIST_DIR}/SettingsParserTest.cpp)
plover_test(document_intake_test ${CMAKE_CURRENT_LIST_DIR}/DocumentIntakeTest.cpp)
plover_test(document_queries_test ${CMAKE_CURRENT_LIST_DIR}/DocumentQueriesTest.cpp)
plover_test(login_info_test ${CMAKE_CURRENT_LIST_DIR}/LoginInfoTest.cpp)
plover_test(file_list_test ${CMAKE_CURRENT_LIST_DIR}/FileListTest.cpp)
plover_test(document_facade_test ${CMAKE_CURRENT_LIST_DIR}/DocumentFacadeTest.cpp
            ${PROJECT_SOURCE_DIR}/platform/LocalTime.cpp FACADE)
