# game_pictures: the game's own pictures (highscore background, end of game, About logo and
# portraits), drawn by tools/picture_maker at build time and embedded as JPEG bytes.
# The JPEG files are also left in <build>/pictures to look at.
set(GAME_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
set(GAME_PICTURES_SOURCE ${GAME_PICTURES_DIR}/game_pictures_data.cpp)
file(MAKE_DIRECTORY ${GAME_PICTURES_DIR})
add_custom_command(OUTPUT ${GAME_PICTURES_SOURCE}
  COMMAND picture_maker ${GAME_PICTURES_DIR} ${GAME_PICTURES_SOURCE}
  DEPENDS picture_maker
  COMMENT "Drawing the game's pictures")
add_library(game_pictures STATIC ${CMAKE_CURRENT_LIST_DIR}/game_pictures.cpp ${GAME_PICTURES_SOURCE})
target_include_directories(game_pictures PUBLIC ${CMAKE_SOURCE_DIR}/src)
