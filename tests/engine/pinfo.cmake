# Sample parsing, the binary sample record and the sample queries.
plover_test(pinfo_parser_test PInfoParserTest.cpp)
plover_test(pinfo_queries_test PInfoQueriesTest.cpp)
plover_test(binary_decoder_test BinaryDecoderTest.cpp)
