# Runs the README's library commands (the block after "<!-- library commands -->") as written, with
# a fresh folder as the home directory and the build tree BUILD as `build`.
# cmake -DREADME=<file> -DSOURCE=<dir> -DBUILD=<dir> -DWORK=<dir> -P readme_commands.cmake
file(READ "${README}" readme)
string(REGEX MATCH "<!-- library commands -->\n```sh\n([^`]*)```" block "${readme}")
if(NOT block)
  message(FATAL_ERROR "no library commands in ${README}")
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/commands.sh" "set -e\n${CMAKE_MATCH_1}")
file(CREATE_LINK "${BUILD}" "${WORK}/build" SYMBOLIC)
file(CREATE_LINK "${SOURCE}/examples" "${WORK}/examples" SYMBOLIC)
set(ENV{HOME} "${WORK}")
unset(ENV{LD_LIBRARY_PATH})
execute_process(COMMAND sh commands.sh WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE output
  ERROR_VARIABLE errors RESULT_VARIABLE status)
message("${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the README's commands failed (${status}):\n${errors}")
endif()
