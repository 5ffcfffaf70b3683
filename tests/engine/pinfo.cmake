# Sample parsing, the binary sample record and the sample queries.
plover_test(pinfo_parser_test PInfoParserTest.cpp)
plover_test(pinfo_queries_test PInfoQueriesTest.cpp)
plover_test(binary_decoder_test BinaryDecoderTest.cpp)
# Links only the shared library; the time-zone helper of the tests re-reads TZ
# through the platform layer, compiled in here.
plover_test(pinfo_facade_test PInfoFacadeTest.cpp ${PROJECT_SOURCE_DIR}/platform/LocalTime.cpp FACADE)
