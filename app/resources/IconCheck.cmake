# Native build only: quendrel.ico is committed, but must stay exactly what
# make_icon.cpp draws, so a changed drawing cannot ship with a stale icon.
#
#   cmake --build <dir> --target update_icon   rewrites the committed icon.

set(QUENDREL_ICON_SOURCE ${CMAKE_CURRENT_LIST_DIR}/quendrel.ico)
set(QUENDREL_ICON_BUILT ${CMAKE_CURRENT_BINARY_DIR}/quendrel.ico)

add_executable(make_icon ${CMAKE_CURRENT_LIST_DIR}/make_icon.cpp)
quendrel_target_flags(make_icon)

add_custom_command(
  OUTPUT ${QUENDREL_ICON_BUILT}
  COMMAND make_icon ${QUENDREL_ICON_BUILT}
  DEPENDS make_icon
  COMMENT "Drawing quendrel.ico"
  VERBATIM)
add_custom_target(generated_icon ALL DEPENDS ${QUENDREL_ICON_BUILT})

add_test(NAME icon_is_generated_from_source
  COMMAND ${CMAKE_COMMAND} -E compare_files
          ${QUENDREL_ICON_BUILT} ${QUENDREL_ICON_SOURCE})

add_custom_target(update_icon
  COMMAND make_icon ${QUENDREL_ICON_SOURCE}
  COMMENT "Rewriting the committed quendrel.ico"
  VERBATIM)
