# Finishes the Debian packages CPack wrote (CPACK_POST_BUILD_SCRIPTS) with what CPack cannot say:
# the libraries get "Multi-Arch: same" and lose the postinst and postrm that call ldconfig (their
# ldconfig trigger does it), and every ELF file loses its .comment and .note sections as
# dh_strip leaves them. Each package is unpacked, changed and built again with dpkg-deb.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(root "${deb}.root")
  file(REMOVE_RECURSE "${root}")
  execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${root}" COMMAND_ERROR_IS_FATAL ANY)
  file(READ "${root}/DEBIAN/control" control)
  if(control MATCHES "\nSection: lib")
    string(REGEX REPLACE "(\nSection: [^\n]*)" "\\1\nMulti-Arch: same" control "${control}")
    file(WRITE "${root}/DEBIAN/control" "${control}")
    file(REMOVE "${root}/DEBIAN/postinst" "${root}/DEBIAN/postrm")
  endif()

  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/usr/*")
  list(SORT files)
  set(md5sums "")
  foreach(file IN LISTS files)
    if(IS_SYMLINK "${root}/${file}")
      continue()
    endif()
    file(READ "${root}/${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      execute_process(COMMAND objcopy --remove-section=.comment --remove-section=.note
        "${root}/${file}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(MD5 "${root}/${file}" sum)
    string(APPEND md5sums "${sum}  ${file}\n")
  endforeach()
  file(WRITE "${root}/DEBIAN/md5sums" "${md5sums}")
  file(CHMOD "${root}/DEBIAN/md5sums" "${root}/DEBIAN/control"
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --build "${root}" "${deb}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${root}")
endforeach()
