# cmake -P script run by the test package_install_and_consume (see CMakeLists.txt).
cmake_minimum_required(VERSION 3.20)

function(run what)
  execute_process(COMMAND ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
endfunction()

set(consumer_build ${WORK_DIR}/consumer)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/config)

if(PACKAGES)
  # The Debian packages, built by cpack and unpacked into a directory as
  # dpkg would install them into /; lintian judges each of them.
  set(root ${WORK_DIR}/root)
  set(prefix ${root}/usr)
  run("cpack" ${CMAKE_COMMAND} -E chdir ${BUILD_DIR}
      cpack -G DEB -C ${CONFIG} -B ${WORK_DIR}/debs)
  file(GLOB debs ${WORK_DIR}/debs/*.deb)
  foreach(deb IN LISTS debs)
    run("Unpacking ${deb}" dpkg-deb -x ${deb} ${root})
  endforeach()
  execute_process(COMMAND lintian --fail-on error,warning ${debs}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  message("lintian (${rc}):\n${out}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lintian found errors or warnings")
  endif()
  # pkg-config names /usr; the packages lie under the unpacked root.
  set(ENV{PKG_CONFIG_SYSROOT_DIR} ${root})
else()
  set(prefix ${WORK_DIR}/prefix)
  run("Install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --config ${CONFIG})
endif()
foreach(installed ${DATADIR}/blz.txt ${LIBDIR}/libquandorlib.so include/quandor/banking.h
                  include/quandor/iban.h include/quandor/quandor.h
                  ${LIBDIR}/cmake/Quandor/QuandorConfig.cmake ${LIBDIR}/pkgconfig/quandor.pc)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "Install did not put ${installed} into ${prefix}")
  endif()
endforeach()

# Nothing but the installed tree may tell the library or the host where Quandor is.
unset(ENV{QUANDOR_DATA_DIR})
unset(ENV{CMAKE_PREFIX_PATH})
unset(ENV{LD_LIBRARY_PATH})
set(ENV{XDG_CONFIG_HOME} ${WORK_DIR}/config)
set(ENV{PKG_CONFIG_PATH} ${prefix}/${LIBDIR}/pkgconfig)

run("Configuring the consumer" ${CMAKE_COMMAND}
  -S ${CONSUMER_DIR} -B ${consumer_build} -G ${GENERATOR}
  -D CMAKE_MAKE_PROGRAM=${MAKE_PROGRAM}
  -D CMAKE_CXX_COMPILER=${CXX_COMPILER}
  -D CMAKE_C_COMPILER=${C_COMPILER}
  -D CMAKE_BUILD_TYPE=${CONFIG}
  -D CMAKE_PREFIX_PATH=${prefix}
  -D CMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
  -D CMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF
  "-D CMAKE_CXX_FLAGS=${CONSUMER_FLAGS}"
  "-D CMAKE_C_FLAGS=${CONSUMER_FLAGS}"
  "-D CMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}")
run("Building the consumer" ${CMAKE_COMMAND} --build ${consumer_build} --config ${CONFIG})

file(STRINGS ${consumer_build}/found.txt found)
foreach(route IN LISTS found)
  if(NOT route MATCHES "=${prefix}/")
    message(FATAL_ERROR "The consumer found Quandor outside ${prefix}: ${route}")
  endif()
endforeach()

function(expect_output consumer expected)
  file(GLOB_RECURSE program ${consumer_build}/${consumer} ${consumer_build}/*/${consumer})
  execute_process(COMMAND ${program} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "${consumer} (${rc}):\n${out}")
  endif()
  message("${consumer}: ${out}")
endfunction()

set(cxx_expected "100 000 00;Bundesbank;Berlin\nDE89370400440532013000;Kein Fehler\n")
expect_output(consumer_cmake "${cxx_expected}")
expect_output(consumer_pkgconfig "${cxx_expected}")
expect_output(consumer_c "C;Bundesbank\n")

# The Python package, where it was built, imports from the installed tree alone.
if(PYTHON)
  file(GLOB python_dir LIST_DIRECTORIES true ${prefix}/lib/python3*/dist-packages)
  set(ENV{PYTHONPATH} "${python_dir}")
  execute_process(COMMAND ${PYTHON} -c
      "import quandor; r = quandor.Banking().validate('37050198', '532013000'); print(r.bank_name, r.error.name, quandor.__file__)"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  # Standard error may hold the warning that the shipped edition is out of date.
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^Sparkasse KölnBonn NO_ERROR ${prefix}/")
    message(FATAL_ERROR "python (${rc}):\n${out}${err}")
  endif()
  message("python: ${out}")
endif()
