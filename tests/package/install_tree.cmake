# Installs the build tree BUILD into a fresh PREFIX and checks that the files a user and a desktop
# look for are where they look: cmake -DBUILD=<dir> -DPREFIX=<dir> [-DPROGRAM=ON]
# -DCMAKE_INSTALL_<BINDIR|LIBDIR|INCLUDEDIR|DATADIR|MANDIR>=<dir> -P install_tree.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(expected
  ${CMAKE_INSTALL_INCLUDEDIR}/almacor/calendar.h
  ${CMAKE_INSTALL_LIBDIR}/cmake/Almacor/AlmacorConfig.cmake
  ${CMAKE_INSTALL_LIBDIR}/cmake/Almacor/AlmacorConfigVersion.cmake
  ${CMAKE_INSTALL_LIBDIR}/pkgconfig/almacor.pc
  ${CMAKE_INSTALL_DATADIR}/doc/libalmacor0/copyright)
if(PROGRAM)
  list(APPEND expected
    ${CMAKE_INSTALL_INCLUDEDIR}/almacor/dialogs/location_form.h
    ${CMAKE_INSTALL_BINDIR}/quillon
    ${CMAKE_INSTALL_DATADIR}/applications/jp.ferrantlab.quillon.desktop
    ${CMAKE_INSTALL_DATADIR}/metainfo/jp.ferrantlab.quillon.metainfo.xml
    ${CMAKE_INSTALL_MANDIR}/man1/quillon.1.gz
    ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps/quillon.svg
    ${CMAKE_INSTALL_DATADIR}/doc/quillon/help/topic0.html)
  foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps/quillon.png)
  endforeach()
endif()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
# Each library under its SONAME, as the dynamic linker asks for it.
file(GLOB sonames "${PREFIX}/${CMAKE_INSTALL_LIBDIR}/libalmacor*.so.0")
list(LENGTH sonames count)
if(count LESS 1 OR (PROGRAM AND count LESS 2))
  message(FATAL_ERROR "libraries under their SONAME: ${sonames}")
endif()
