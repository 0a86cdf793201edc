# Writes the Debian symbols file of a shared library from the symbols it exports, each with the
# version that first has it (the current one: nothing is older).
# cmake -DNM=<nm> -DLIBRARY=<file> -DSONAME=<name> -DPACKAGE=<pkg> -DDEV_PACKAGE=<pkg>
#   -DVERSION=<x.y.z> -DOUTPUT=<file> -P symbols.cmake
execute_process(COMMAND "${NM}" --dynamic --defined-only --format=posix "${LIBRARY}"
  OUTPUT_VARIABLE table COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${table}")
set(names)
foreach(line IN LISTS lines)
  string(REGEX REPLACE " .*" "" name "${line}")
  list(APPEND names "${name}")
endforeach()
list(REMOVE_DUPLICATES names)
list(SORT names)
set(text "${SONAME} ${PACKAGE} #MINVER#\n* Build-Depends-Package: ${DEV_PACKAGE}\n")
foreach(name IN LISTS names)
  string(APPEND text " ${name}@Base ${VERSION}\n")
endforeach()
file(WRITE "${OUTPUT}" "${text}")
