# zelt_release_copy(TARGET): after each build of the target, a copy without debug information in bin/release,
# what users pack into their screen savers, and its debug information in bin/symbols/<file>.debug (the copy
# names it), for reading crash addresses. The tests keep running the full build in bin.
function(zelt_release_copy target)
  set(release ${CMAKE_BINARY_DIR}/bin/release)
  set(symbols ${CMAKE_BINARY_DIR}/bin/symbols)
  set(debug ${symbols}/$<TARGET_FILE_NAME:${target}>.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${release} ${symbols}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug}
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug} $<TARGET_FILE:${target}>
            ${release}/$<TARGET_FILE_NAME:${target}>
    VERBATIM)
endfunction()
