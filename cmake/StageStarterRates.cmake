# cmake -DKESTRUM=<exe> -DPAGE=<rate page> -DDIR=<dir> -P StageStarterRates.cmake
# Gives a fresh build real rates: imports the sample page into DIR/rt.dt with the
# program's own parser, unless DIR already holds rates (downloaded ones are newer).
if(EXISTS "${DIR}/rt.dt")
    return()
endif()
execute_process(
    COMMAND "${KESTRUM}" import "${PAGE}" --data-dir "${DIR}"
    RESULT_VARIABLE result
    OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Staging the starter rates from ${PAGE} failed (exit ${result})")
endif()
