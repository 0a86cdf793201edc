# Builds SOURCE against the library installed in PREFIX with only what pkg-config says, and runs
# it: cmake -DPKG_CONFIG=<exe> -DCXX=<compiler> -DPREFIX=<dir> -DCMAKE_INSTALL_LIBDIR=<dir>
# -DSOURCE=<file> -DOUT=<exe> -P pkgconfig_consumer.cmake
set(ENV{PKG_CONFIG_PATH} "${PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig")
execute_process(COMMAND "${PKG_CONFIG}" --cflags --libs almacor OUTPUT_VARIABLE flags
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(flags UNIX_COMMAND "${flags}")
execute_process(COMMAND "${CXX}" -std=c++20 "${SOURCE}" ${flags} -o "${OUT}"
  COMMAND_ERROR_IS_FATAL ANY)
set(ENV{LD_LIBRARY_PATH} "${PREFIX}/${CMAKE_INSTALL_LIBDIR}")
execute_process(COMMAND "${OUT}" COMMAND_ERROR_IS_FATAL ANY)
