# The Windows build, cross-compiled with MinGW-w64 against the toolkit built by
# windows/build-toolkit.sh: its programs run here under Wine (tests, benchmarks), and
# `windows_zip` packs the program with everything it needs on a Windows machine.
get_filename_component(ORV_WINDOWS_QT "${Qt6_DIR}/../../.." ABSOLUTE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE ORV_LIBSTDCXX_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE ORV_WINPTHREAD_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ORV_GCC_RUNTIME_DIR "${ORV_LIBSTDCXX_DLL}" DIRECTORY)
get_filename_component(ORV_WINPTHREAD_DIR "${ORV_WINPTHREAD_DLL}" DIRECTORY)

set(ORV_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine")
set(ORV_WINE_PATH "Z:${ORV_WINDOWS_QT}/bin;Z:${ORV_GCC_RUNTIME_DIR};Z:${ORV_WINPTHREAD_DIR}")
configure_file(${CMAKE_SOURCE_DIR}/windows/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
# Test discovery and ctest start the Windows programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

function(orv_add_windows_zip program)
  set(folder "Orvantide-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}-win64")
  add_custom_target(windows_zip ALL
    COMMAND ${CMAKE_SOURCE_DIR}/windows/package.sh $<TARGET_FILE:${program}> ${ORV_WINDOWS_QT}
            ${CMAKE_SOURCE_DIR}/resources "${ORV_GCC_RUNTIME_DIR}" "${ORV_WINPTHREAD_DIR}"
            ${CMAKE_BINARY_DIR}/${folder}
    DEPENDS ${program}
    COMMENT "Packing ${folder}.zip"
    VERBATIM)
endfunction()
