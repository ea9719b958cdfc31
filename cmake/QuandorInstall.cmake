# Install rules and Debian packages.
#
# Components: library (the shared library and the shipped blz.txt), infobox
# (the Qt module that ShowInfo loads), development (headers, the CMake package
# and quandor.pc), tools (quandor-check), serve (quandor-serve with its systemd
# unit), sample (the program Quandor) and
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

# The library looks for blz.txt and the info box module beside itself, then
# here (library_directory.h).
install(FILES ${PROJECT_SOURCE_DIR}/data/blz.txt ${PROJECT_SOURCE_DIR}/data/blz.edition
  DESTINATION ${QUANDOR_INSTALL_DATADIR} COMPONENT library)
if(TARGET quandor_infobox)
  install(TARGETS quandor_infobox
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/${QUANDOR_MODULE_SUBDIR} COMPONENT infobox)
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

# Man pages and the packages' changelog go out compressed, as Debian keeps
# them: gzip -n leaves out the name and time, so that a rebuild gives the
# same bytes.
set(QUANDOR_COMPRESSED_DIR ${PROJECT_BINARY_DIR}/compressed)
add_custom_target(quandor_compressed_files ALL)
function(quandor_compressed_file source compressed)
  set(output ${QUANDOR_COMPRESSED_DIR}/${compressed})
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -n -9 -c ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${compressed}"
    VERBATIM)
  target_sources(quandor_compressed_files PRIVATE ${output})
endfunction()

if(EXISTS ${PROJECT_SOURCE_DIR}/tools/quandor-check/quandor-check.1)
  quandor_compressed_file(${PROJECT_SOURCE_DIR}/tools/quandor-check/quandor-check.1 quandor-check.1.gz)
  install(FILES ${QUANDOR_COMPRESSED_DIR}/quandor-check.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)
endif()
quandor_compressed_file(${PROJECT_SOURCE_DIR}/tools/quandor-serve/quandor-serve.1 quandor-serve.1.gz)
install(FILES ${QUANDOR_COMPRESSED_DIR}/quandor-serve.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT serve)
if(TARGET Quandor)
  install(TARGETS Quandor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT sample)
  quandor_compressed_file(${PROJECT_SOURCE_DIR}/sample/Quandor.1 Quandor.1.gz)
  install(FILES ${QUANDOR_COMPRESSED_DIR}/Quandor.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT sample)
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

# Debian packages: cpack -G DEB in the build directory, one package per
# install component.
#
# Another package is one more install component: install its files with
# COMPONENT <name> (in its own CMakeLists.txt), then add one call below,
#   quandor_debian_package(<name> <package> <section> "<synopsis>" "<what it holds>"
#                          DEPENDS <components it needs>)
# which names the package, describes it, gives it its copyright and changelog
# and puts it into the set that cpack builds (<NAME> below is <name> in
# capitals). Files Debian expects in a place of its own are installed there
# by the same component: a systemd unit with DESTINATION lib/systemd/system
# (relative, so /usr/lib/systemd/system in the package), a configuration
# file with an absolute DESTINATION under /etc, named in a "conffiles" file.
# That file and the maintainer scripts (postinst, prerm, postrm) go into
# CPACK_DEBIAN_<NAME>_PACKAGE_CONTROL_EXTRA; further fields, such as
# CPACK_DEBIAN_<NAME>_PACKAGE_DEPENDS, are set after the call.
set(QUANDOR_PACKAGE_MAINTAINER "Quandor developers <quandor-devel@quandor.example>" CACHE STRING
  "Maintainer field of the Debian packages, and the signer of their changelog")
set(CPACK_PACKAGE_NAME quandor)
set(CPACK_PACKAGE_VENDOR "Quandor developers")
set(CPACK_PACKAGE_CONTACT "${QUANDOR_PACKAGE_MAINTAINER}")
# Each package has a synopsis of its own; a common summary would be put before every one.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps resolves the tools' need of libquandorlib here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_COMPONENTS_ALL "")

# The changelog's newest entry names the version that the packages carry.
set(_quandor_deb_version ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in _quandor_changelog_top LIMIT_COUNT 1)
if(NOT _quandor_changelog_top MATCHES "^quandor \\(${_quandor_deb_version}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog.in: the newest entry is not for ${_quandor_deb_version}; "
                      "add one for the version being packaged")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog.Debian @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)
quandor_compressed_file(${PROJECT_BINARY_DIR}/debian/changelog.Debian changelog.Debian.gz)

# Lintian's verdicts that stand, each for its reason (README, "Installing and
# packaging"): these packages are not uploaded to Debian, so there is no
# request-for-packaging bug for the first changelog entry to close.
set(_quandor_lintian_overrides initial-upload-closes-no-bugs)

# What every package's description says first.
set(_quandor_package_intro
  "Quandor checks German bank connections (bank code and account number) by the
check-digit method of the bank, in the rules as first built or in the Deutsche
Bundesbank's rules of today, checks and builds IBANs, and checks credit card
numbers against their company's rules.
")

function(quandor_debian_package component package section synopsis text)
  cmake_parse_arguments(PARSE_ARGV 5 arg "" "" "DEPENDS;LINTIAN_OVERRIDES")
  string(TOUPPER ${component} name)
  set(CPACK_DEBIAN_${name}_PACKAGE_NAME ${package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${name}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${name}_DESCRIPTION "${synopsis}\n${_quandor_package_intro}\n${text}" PARENT_SCOPE)
  set(CPACK_COMPONENT_${name}_DEPENDS ${arg_DEPENDS} PARENT_SCOPE)
  set(CPACK_COMPONENTS_ALL ${CPACK_COMPONENTS_ALL} ${component} PARENT_SCOPE)
  list(JOIN _quandor_lintian_overrides "\n" overrides)
  list(JOIN arg_LINTIAN_OVERRIDES "\n" own_overrides)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/debian/overrides/${package}
    CONTENT "${overrides}\n${own_overrides}\n")
  # For the package only: an install into a prefix has no use for these.
  install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${QUANDOR_COMPRESSED_DIR}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
    COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_BINARY_DIR}/debian/overrides/${package}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

# The library's package is named by its soname, libquandorlib.so.1, and its
# shlibs file tells dpkg-shlibdeps which package gives that soname. (CPack's
# GENERATE_SHLIBS would write it too, but warns about every module without
# a soname in the other packages.) The linker's cache is updated by dpkg's
# ldconfig trigger; CPack also writes an ldconfig call into postinst and
# postrm, which does no harm.
set(_quandor_library_package libquandorlib${PROJECT_VERSION_MAJOR})
quandor_debian_package(library ${_quandor_library_package} libs
  "German bank account, IBAN and card number checks - library"
  "This package holds the shared library with its C interface, and the
Bundesbank's bank code file in /usr/share/quandor."
  LINTIAN_OVERRIDES "maintscript-calls-ldconfig [postinst]" "maintscript-calls-ldconfig [postrm]")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/debian/triggers CONTENT "activate-noawait ldconfig\n")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/debian/shlibs CONTENT
  "libquandorlib ${PROJECT_VERSION_MAJOR} ${_quandor_library_package} (>= ${_quandor_deb_version})\n")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA
  ${PROJECT_BINARY_DIR}/debian/triggers ${PROJECT_BINARY_DIR}/debian/shlibs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SUGGESTS ${_quandor_library_package}-infobox)
quandor_debian_package(development libquandor-dev libdevel
  "German bank account, IBAN and card number checks - development files"
  "This package holds the C and C++ headers, the CMake package
(find_package(Quandor)) and the pkg-config file (quandor.pc)."
  DEPENDS library)
quandor_debian_package(tools quandor-tools utils
  "German bank account, IBAN and card number checks - command-line tool"
  "This package holds quandor-check, which checks single values and files of
millions of rows, looks banks up and converts the Bundesbank's bank code file."
  DEPENDS library)
quandor_debian_package(serve quandor-serve net
  "German bank account, IBAN and card number checks - JSON service"
  "This package holds quandor-serve, which answers the checks as JSON over
HTTP, with a systemd unit (quandor-serve.service)."
  DEPENDS library)
if(TARGET quandor_infobox)
  # A package of its own, so that the library does not pull in Qt on machines
  # that never show the info box; without it ShowInfo does nothing.
  quandor_debian_package(infobox ${_quandor_library_package}-infobox libs
    "German bank account, IBAN and card number checks - info box"
    "This package holds the Qt dialog that ShowInfo of the library shows."
    DEPENDS library)
endif()
if(TARGET Quandor)
  set(_quandor_sample_depends library)
  if(TARGET quandor_infobox)
    list(APPEND _quandor_sample_depends infobox)
  endif()
  quandor_debian_package(sample quandor-sample x11
    "German bank account, IBAN and card number checks - sample program"
    "This package holds Quandor, a small windowed program that checks bank
connections and card numbers and searches banks, as a host of the library does."
    DEPENDS ${_quandor_sample_depends})
endif()
if(TARGET quandor_python)
  quandor_debian_package(python python3-quandor python
    "German bank account, IBAN and card number checks - Python 3"
    "This package holds the Python 3 package quandor, which also checks whole
columns and data frames."
    DEPENDS library)
  # The module is built for Debian's Python 3.11 ABI; validate_many answers in NumPy arrays.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-pandas, python3-dask, python3-distributed")
endif()
include(CPack)
