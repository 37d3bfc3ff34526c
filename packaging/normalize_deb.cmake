# Run by cpack after it has made the .deb: builds it again with dpkg-deb, as Debian's own
# tools do, from a tree whose directories are 0755, files 0644 and the program 0755,
# whatever the builder's umask, all owned by root. With SOURCE_DATE_EPOCH set, one commit
# gives one package, byte for byte, from any folder.
set(executable OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE paths LIST_DIRECTORIES true "${tree}/*")
  foreach(path IN LISTS tree paths)
    if(IS_DIRECTORY "${path}" OR path MATCHES "/usr/bin/[^/]+$")
      file(CHMOD "${path}" PERMISSIONS ${executable})
    else()
      file(CHMOD "${path}" PERMISSIONS ${readable})
    endif()
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group --build "${tree}" "${deb}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
