# Install rules and Debian packages.
#
# Components: library (the shared library and the shipped blz.txt), infobox
# (the Qt module that ShowInfo loads), development (headers, the CMake package
# and quandor.pc), tools (quandor-check), sample (the program Quandor) and
# python (the package quandor, in Debian's layout for Python 3). The
# info box has a package of its own so that the library does not pull in Qt on
# machines that never show it; without the module ShowInfo does nothing.
include(CMakePackageConfigHelpers)

set(QUANDOR_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quandor)
set(QUANDOR_PKGCONFIG_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Installed programs find the library relative to themselves, so an install
# into any prefix runs without LD_LIBRARY_PATH.
file(RELATIVE_PATH _quandor_bin_to_lib
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set(QUANDOR_PROGRAM_RPATH "$ORIGIN/${_quandor_bin_to_lib}")

# Consumers include <quandor/...> headers that need C++17.
target_compile_features(quandorlib INTERFACE cxx_std_17)

install(TARGETS quandorlib EXPORT QuandorTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT library
    NAMELINK_COMPONENT development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT library)

# The library looks for blz.txt and the info box module in its own directory.
install(FILES ${PROJECT_SOURCE_DIR}/data/blz.txt
  DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library)
if(TARGET quandor_infobox)
  install(TARGETS quandor_infobox
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT infobox)
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/component/include/quandor
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

foreach(_quandor_program quandor-check quandor-serve Quandor)
  if(TARGET ${_quandor_program})
    set_target_properties(${_quandor_program} PROPERTIES INSTALL_RPATH "${QUANDOR_PROGRAM_RPATH}")
  endif()
endforeach()
install(TARGETS quandor-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
install(TARGETS quandor-serve RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT serve)
install(FILES ${PROJECT_SOURCE_DIR}/tools/quandor-serve/quandor-serve.service
  DESTINATION lib/systemd/system COMPONENT serve)
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/quandor-check/quandor-check.1)
  install(FILES ${PROJECT_SOURCE_DIR}/tools/quandor-check/quandor-check.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)
endif()
if(TARGET Quandor)
  install(TARGETS Quandor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT sample)
endif()

if(TARGET quandor_python)
  set(QUANDOR_PYTHON_INSTALL_DIR lib/python3/dist-packages CACHE STRING
    "Directory of the Python package quandor, relative to the prefix (Debian's layout)")
  set(_quandor_python_dir ${QUANDOR_PYTHON_INSTALL_DIR}/quandor)
  file(RELATIVE_PATH _quandor_python_to_lib
    ${CMAKE_INSTALL_PREFIX}/${_quandor_python_dir} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(quandor_python PROPERTIES INSTALL_RPATH "$ORIGIN/${_quandor_python_to_lib}")
  install(TARGETS quandor_python LIBRARY DESTINATION ${_quandor_python_dir} COMPONENT python)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/python/quandor/ DESTINATION ${_quandor_python_dir}
    COMPONENT python
    FILES_MATCHING PATTERN "*.py" PATTERN "*.pyi" PATTERN "py.typed"
    PATTERN "__pycache__" EXCLUDE)
endif()

# find_package(Quandor) gives the imported target Quandor::quandorlib.
install(EXPORT QuandorTargets
  NAMESPACE Quandor::
  DESTINATION ${QUANDOR_CMAKE_INSTALL_DIR}
  COMPONENT development)
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/QuandorConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuandorConfig.cmake
  INSTALL_DESTINATION ${QUANDOR_CMAKE_INSTALL_DIR})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/QuandorConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/QuandorConfig.cmake
  ${PROJECT_BINARY_DIR}/QuandorConfigVersion.cmake
  DESTINATION ${QUANDOR_CMAKE_INSTALL_DIR}
  COMPONENT development)

# quandor.pc names the prefix that the install goes to (cmake --install
# --prefix, or /usr for the packages), which is known only when it runs.
set(QUANDOR_PC_PREFIX "@QUANDOR_PC_PREFIX@")
configure_file(${CMAKE_CURRENT_LIST_DIR}/quandor.pc.in ${PROJECT_BINARY_DIR}/quandor.pc.in @ONLY)
install(CODE "
  set(QUANDOR_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  string(MD5 _quandor_pc_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(_quandor_pc \"${PROJECT_BINARY_DIR}/pkgconfig/\${_quandor_pc_dir}/quandor.pc\")
  configure_file(\"${PROJECT_BINARY_DIR}/quandor.pc.in\" \"\${_quandor_pc}\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${QUANDOR_PKGCONFIG_INSTALL_DIR}\"
       TYPE FILE FILES \"\${_quandor_pc}\")
" COMPONENT development)

# Debian packages: cpack -G DEB in the build directory.
set(CPACK_PACKAGE_NAME quandor)
set(CPACK_PACKAGE_VENDOR "Quandor developers")
set(CPACK_PACKAGE_CONTACT "Quandor developers <quandor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps resolves the tools' need of libquandorlib here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libquandor1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SUGGESTS libquandor1-infobox)
set(CPACK_DEBIAN_INFOBOX_PACKAGE_NAME libquandor1-infobox)
set(CPACK_DEBIAN_INFOBOX_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquandor-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME quandor-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_SERVE_PACKAGE_NAME quandor-serve)
set(CPACK_DEBIAN_SERVE_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SAMPLE_PACKAGE_NAME quandor-sample)
set(CPACK_DEBIAN_SAMPLE_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-quandor)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
# The module is built for Debian's Python 3.11 ABI; validate_many answers in NumPy arrays.
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-pandas, python3-dask, python3-distributed")

set(CPACK_COMPONENTS_ALL library development tools serve)
if(TARGET quandor_infobox)
  list(APPEND CPACK_COMPONENTS_ALL infobox)
endif()
if(TARGET Quandor)
  list(APPEND CPACK_COMPONENTS_ALL sample)
endif()
if(TARGET quandor_python)
  list(APPEND CPACK_COMPONENTS_ALL python)
endif()
include(CPack)
cpack_add_component(library DISPLAY_NAME "Quandor library"
  DESCRIPTION "Check digits of German bank connections, IBANs and credit card numbers, with the bank code file")
cpack_add_component(infobox DISPLAY_NAME "Quandor info box" DEPENDS library
  DESCRIPTION "The Qt dialog that ShowInfo of the Quandor library shows")
cpack_add_component(development DISPLAY_NAME "Quandor development files" DEPENDS library
  DESCRIPTION "C and C++ headers, CMake package and pkg-config file of the Quandor library")
cpack_add_component(tools DISPLAY_NAME "Quandor tools" DEPENDS library
  DESCRIPTION "quandor-check, the command-line tool of the Quandor library")
cpack_add_component(serve DISPLAY_NAME "Quandor service" DEPENDS library
  DESCRIPTION "quandor-serve, the checks of the Quandor library as JSON over HTTP, with a systemd unit")
set(_quandor_sample_depends library)
if(TARGET quandor_infobox)
  list(APPEND _quandor_sample_depends infobox)
endif()
cpack_add_component(sample DISPLAY_NAME "Quandor sample program" DEPENDS ${_quandor_sample_depends}
  DESCRIPTION "Quandor, a windowed program that checks bank connections and searches banks")
cpack_add_component(python DISPLAY_NAME "Quandor for Python" DEPENDS library
  DESCRIPTION "The Python 3 package quandor: bank connections, IBANs and card numbers, also whole columns and data frames")
