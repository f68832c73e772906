# Installs the build under a fresh prefix and checks that the installed program runs and that
# its help page lies where the program looks for it: RELATIVE_DATA_DIR from its own folder.
# cmake -DBUILD_DIR=... -DPREFIX=... -DRELATIVE_DATA_DIR=... -P install_test.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()

set(program "${PREFIX}/bin/pennory")
get_filename_component(data "${PREFIX}/bin/${RELATIVE_DATA_DIR}" ABSOLUTE)
foreach(file "${program}" "${data}/Pennory帮助.htm" "${PREFIX}/share/applications/pennory.desktop"
        "${PREFIX}/share/metainfo/cn.pennory.Pennory.metainfo.xml"
        "${PREFIX}/share/icons/hicolor/scalable/apps/pennory.svg"
        "${PREFIX}/share/icons/hicolor/16x16/apps/pennory.png"
        "${PREFIX}/share/icons/hicolor/256x256/apps/pennory.png"
        "${PREFIX}/share/man/man1/pennory.1.gz" "${PREFIX}/share/man/zh_CN/man1/pennory.1.gz"
        "${PREFIX}/share/doc/pennory/copyright" "${PREFIX}/share/doc/pennory/changelog.gz")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# Started from elsewhere, without a display: --version needs no window.
execute_process(COMMAND "${program}" --version WORKING_DIRECTORY /
                RESULT_VARIABLE ran OUTPUT_VARIABLE said)
if(NOT ran EQUAL 0 OR NOT said MATCHES "pennory ${VERSION}")
  message(FATAL_ERROR "the installed program says \"${said}\" (${ran})")
endif()
file(REMOVE_RECURSE "${PREFIX}")
