# Installs the privileged programs and the policy into a scratch prefix and
# checks that each arrived where pkexec and the library look for it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}" --component privileged
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${output}")
endif()

foreach(program
        "${LIBEXECDIR}/tessel-admin-printer/tessel-admin-printer-helper"
        "${BINDIR}/tessel-su")
    if(NOT EXISTS "${PREFIX}/${program}" OR IS_DIRECTORY "${PREFIX}/${program}")
        message(FATAL_ERROR "${program} was not installed")
    endif()
    execute_process(COMMAND test -x "${PREFIX}/${program}" RESULT_VARIABLE executable)
    if(NOT executable EQUAL 0)
        message(FATAL_ERROR "${program} is not executable")
    endif()
endforeach()

set(policy "${PREFIX}/${DATADIR}/polkit-1/actions/ru.orvanta.tessel-admin-printer.policy")
if(NOT EXISTS "${policy}")
    message(FATAL_ERROR "the policy was not installed")
endif()
file(READ "${policy}" text)
string(FIND "${text}" "tessel-admin-printer/tessel-admin-printer-helper</annotate>" found)
if(found EQUAL -1)
    message(FATAL_ERROR "the installed policy does not name the helper")
endif()
file(REMOVE_RECURSE "${PREFIX}")
