# Fails unless BLOCK, without its first line (the #line naming the guide), is GAME.
file(READ ${BLOCK} block)
file(READ ${GAME} game)
string(REGEX REPLACE "^#line [^\n]*\n" "" block "${block}")
if(NOT block STREQUAL game)
    message(FATAL_ERROR "docs/guide.md's first game differs from ${GAME}: copy one to the other")
endif()
