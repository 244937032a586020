# <build>/game is a ready game root: the repository's data/ linked in, the compiled
# language table beside it. The game and the tests run from such a folder.
set(GAME_ROOT "${CMAKE_BINARY_DIR}/game")
file(MAKE_DIRECTORY "${GAME_ROOT}")
file(CREATE_LINK "${CMAKE_SOURCE_DIR}/data" "${GAME_ROOT}/data" SYMBOLIC)

set(LANG_SOURCE "${CMAKE_SOURCE_DIR}/data/lang/ENG.txt")
set(LANG_TABLE "${GAME_ROOT}/lang_ENG.db")
add_custom_command(
  OUTPUT "${LANG_TABLE}"
  COMMAND velmorant-langc "${LANG_SOURCE}" "${LANG_TABLE}"
  DEPENDS velmorant-langc "${LANG_SOURCE}"
  COMMENT "Compiling the language table")
add_custom_target(language_table ALL DEPENDS "${LANG_TABLE}")
add_dependencies(velmorant language_table)
