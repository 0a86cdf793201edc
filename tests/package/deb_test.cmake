# Builds the .deb of the build tree BUILD into WORK, unpacks it into a clean folder and runs the
# unpacked program headless: its libraries must resolve from the package alone and `--json` must
# print one JSON object. cmake -DCPACK=<exe> -DBUILD=<dir> -DWORK=<dir> -P deb_test.cmake
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${WORK}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB deb "${WORK}/*.deb")
list(LENGTH deb count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${WORK}, found: ${deb}")
endif()

execute_process(COMMAND dpkg-deb --field "${deb}" Package Section Depends
  OUTPUT_VARIABLE fields COMMAND_ERROR_IS_FATAL ANY)
message("${fields}")
if(NOT fields MATCHES "Package: quillon\nSection: science\n" OR NOT fields MATCHES "libqt6widgets6")
  message(FATAL_ERROR "the package's fields lack the name, section or Qt dependencies")
endif()

set(root "${WORK}/root")
execute_process(COMMAND dpkg -x "${deb}" "${root}" COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE program "${root}/*/bin/quillon")
execute_process(COMMAND ldd "${program}" OUTPUT_VARIABLE libraries COMMAND_ERROR_IS_FATAL ANY)
string(FIND "${libraries}" "libalmacor.so.0 => ${root}/" packaged)
if(libraries MATCHES "not found" OR packaged EQUAL -1)
  message(FATAL_ERROR "the unpacked program misses libraries of the package:\n${libraries}")
endif()

set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
execute_process(COMMAND "${program}" --json OUTPUT_VARIABLE json COMMAND_ERROR_IS_FATAL ANY)
string(JSON type ERROR_VARIABLE error TYPE "${json}")
if(NOT type STREQUAL "OBJECT")
  message(FATAL_ERROR "quillon --json printed no JSON object (${error}):\n${json}")
endif()
file(WRITE "${WORK}/quillon.json" "${json}")
message("${json}")
