# Builds the Debian packages of the build tree BUILD into WORK, unpacks them together into a
# clean folder and runs the unpacked program headless: its libraries must resolve from the
# packages alone and `--json` must print one JSON object.
# cmake -DCPACK=<exe> -DBUILD=<dir> -DWORK=<dir> -P deb_test.cmake
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${WORK}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(root "${WORK}/root")
foreach(package libalmacor0 libalmacor-dev libalmacor-dialogs0 libalmacor-dialogs-dev quillon)
  file(GLOB deb "${WORK}/${package}_*.deb")
  if(NOT deb)
    message(FATAL_ERROR "no package ${package} in ${WORK}")
  endif()
  execute_process(COMMAND dpkg-deb --field "${deb}" Package Depends Multi-Arch
    OUTPUT_VARIABLE fields COMMAND_ERROR_IS_FATAL ANY)
  message("${fields}")
  execute_process(COMMAND dpkg-deb --contents "${deb}" OUTPUT_VARIABLE contents
    COMMAND_ERROR_IS_FATAL ANY)
  if(NOT contents MATCHES "/usr/share/doc/${package}/copyright\n")
    message(FATAL_ERROR "${package} has no copyright file")
  endif()
  if(package MATCHES "^lib" AND NOT fields MATCHES "Multi-Arch: same")
    message(FATAL_ERROR "${package} is not Multi-Arch: same")
  endif()
  execute_process(COMMAND dpkg -x "${deb}" "${root}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# Nothing of Qt for the library and its headers: find_package(Almacor) works without it.
file(GLOB dev "${WORK}/libalmacor-dev_*.deb" "${WORK}/libalmacor0_*.deb")
foreach(deb IN LISTS dev)
  execute_process(COMMAND dpkg-deb --field "${deb}" Depends OUTPUT_VARIABLE depends)
  if(depends MATCHES "qt6")
    message(FATAL_ERROR "${deb} depends on Qt: ${depends}")
  endif()
endforeach()

file(GLOB_RECURSE program "${root}/*/bin/quillon")
execute_process(COMMAND ldd "${program}" OUTPUT_VARIABLE libraries COMMAND_ERROR_IS_FATAL ANY)
string(FIND "${libraries}" "libalmacor.so.0 => ${root}/" packaged)
if(libraries MATCHES "not found" OR packaged EQUAL -1)
  message(FATAL_ERROR "the unpacked program misses libraries of the packages:\n${libraries}")
endif()

set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
execute_process(COMMAND "${program}" --json OUTPUT_VARIABLE json COMMAND_ERROR_IS_FATAL ANY)
string(JSON type ERROR_VARIABLE error TYPE "${json}")
if(NOT type STREQUAL "OBJECT")
  message(FATAL_ERROR "quillon --json printed no JSON object (${error}):\n${json}")
endif()
