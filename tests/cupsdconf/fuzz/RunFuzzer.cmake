# Fuzzes a fresh copy of the seeds for a bounded time: libFuzzer adds what it
# finds to the corpus directory it is given, and the sources must stay as they are.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
file(GLOB seeds ${CORPUS}/* ${FIXTURES}/*)
file(COPY ${seeds} DESTINATION ${WORK}/corpus)

execute_process(
    COMMAND ${FUZZER} -max_total_time=20 -timeout=5 -rss_limit_mb=2048 -print_final_stats=1
            -artifact_prefix=${WORK}/ ${WORK}/corpus
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The fuzz target failed (${result}); the input that made it fail is in ${WORK}.")
endif()
