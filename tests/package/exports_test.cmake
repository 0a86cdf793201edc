# The shared library exports its public interface only: every dynamic symbol belongs to the
# namespace almacor and none to almacor::detail; the exception type is among them, so that a
# caller can catch it. cmake -DNM=<nm> -DLIBRARY=<file> -P exports_test.cmake
execute_process(COMMAND "${NM}" --dynamic --defined-only --demangle "${LIBRARY}"
  OUTPUT_VARIABLE table COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${table}")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[0-9a-f]+ . ([a-zA-Z -]+ for |[a-z -]+ to )?almacor::"
     OR line MATCHES "almacor::detail::")
    message(SEND_ERROR "exported: ${line}")
  endif()
endforeach()
if(NOT table MATCHES "typeinfo for almacor::Error\n")
  message(SEND_ERROR "almacor::Error's type information is not exported")
endif()
