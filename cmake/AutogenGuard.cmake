# With Ninja, a header that appears in a globbed source list after the first build is never handed to
# moc: the autogen step does not rerun. When a target's list changes, remove its autogen timestamp so
# the next build regenerates the moc files.
function(kelvane_autogen_guard target)
  get_target_property(sources ${target} SOURCES)
  string(MD5 hash "${sources}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}-sources.md5)
  set(previous "")
  if(EXISTS ${stamp})
    file(READ ${stamp} previous)
  endif()
  if(NOT previous STREQUAL hash)
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
  file(WRITE ${stamp} "${hash}")
endfunction()
