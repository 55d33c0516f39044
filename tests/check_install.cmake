# Installs the build into a fresh prefix and checks that the program, its manual page, README
# and examples land where they belong: on Linux where a command-line tool's files go, on
# Windows in one folder.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
if(WINDOWS)
    set(paths ${PROGRAM} README.md examples/zubkimport-job.cmd examples/zubkimport-task.xml)
else()
    set(paths bin/${PROGRAM} share/man/man1/zubkimport.1 share/doc/zubkimport/README.md
        share/doc/zubkimport/examples/zubkimport-job)
endif()
foreach(path ${paths})
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
