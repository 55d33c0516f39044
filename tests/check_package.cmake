# Builds the Debian package of this build, unpacks it into a scratch folder as dpkg would
# install it, and runs the program from there: the package must hold a program that starts and
# answers without anything of the build tree, with its documents and examples where Debian
# keeps them.
#
# cmake -DBUILD_DIR=... -DSCRATCH=... -DVERSION=... -DCPACK=... -DDPKG_DEB=... -P this file
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}/root" "${SCRATCH}/empty")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${result}):\n${output}")
    endif()
endfunction()

function(expect_equal what actual expected)
    if(NOT actual STREQUAL expected)
        message(SEND_ERROR "${what}: expected '${expected}', got '${actual}'")
    endif()
endfunction()

run("${CPACK}" -G DEB -B "${SCRATCH}/out" WORKING_DIRECTORY "${BUILD_DIR}")
file(GLOB packages "${SCRATCH}/out/*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb in ${SCRATCH}/out, found: ${packages}")
endif()
run("${DPKG_DEB}" -x "${packages}" "${SCRATCH}/root")

foreach(field Package Version Section Depends Suggests Maintainer)
    execute_process(COMMAND "${DPKG_DEB}" -f "${packages}" ${field}
                    OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(control_${field} "${value}")
endforeach()
expect_equal("Package" "${control_Package}" "zubkimport")
expect_equal("Version" "${control_Version}" "${VERSION}")
expect_equal("Section" "${control_Section}" "database")
expect_equal("Suggests" "${control_Suggests}" "odbc-mariadb")
if(NOT control_Depends MATCHES "(^|, )unixodbc(,|$)")
    message(SEND_ERROR "Depends lacks unixodbc: ${control_Depends}")
endif()
if(NOT control_Maintainer MATCHES "^[^<>]+ <[^<>@]+@[^<>@]+>$")
    message(SEND_ERROR "Maintainer is not \"Name <address>\": ${control_Maintainer}")
endif()

set(root "${SCRATCH}/root")
foreach(path usr/bin/zubkimport usr/share/man/man1/zubkimport.1
             usr/share/doc/zubkimport/README.md
             usr/share/doc/zubkimport/examples/zubkimport-job
             usr/share/doc/zubkimport/examples/zubkimport.service
             usr/share/doc/zubkimport/examples/zubkimport.timer
             usr/share/doc/zubkimport/examples/zubkimport.cron)
    if(NOT EXISTS "${root}/${path}")
        message(SEND_ERROR "not in the package: /${path}")
    endif()
endforeach()
if(EXISTS "${root}/usr/share/doc/zubkimport/examples/zubkimport-job.cmd")
    message(SEND_ERROR "the Windows examples are in the Debian package")
endif()

# The packaged program, run as an operator would: from a folder of its own, with no data
# sources and a plain locale.
set(program "${root}/usr/bin/zubkimport")
set(environment "${CMAKE_COMMAND}" -E env LC_ALL=C "ODBCINI=${SCRATCH}/empty/odbc.ini")
execute_process(COMMAND ${environment} "${program}" --version WORKING_DIRECTORY "${SCRATCH}/empty"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
expect_equal("exit code of --version" "${result}" "0")
expect_equal("output of --version" "${output}" "zubkimport ${VERSION}\n")
expect_equal("errors of --version" "${errors}" "")

execute_process(COMMAND ${environment} "${program}" WORKING_DIRECTORY "${SCRATCH}/empty"
                RESULT_VARIABLE result OUTPUT_VARIABLE output)
expect_equal("exit code without arguments or parameter file" "${result}" "5")

file(REMOVE_RECURSE "${SCRATCH}")
