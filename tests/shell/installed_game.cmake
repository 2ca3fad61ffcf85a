# The installed game, started from an unrelated folder with a fresh home, and the launcher files.
add_test(NAME installed_game
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/installed_game_test.sh ${CMAKE_BINARY_DIR} ${KLONDIKE_NAME}
          11 93)
set_tests_properties(installed_game PROPERTIES TIMEOUT 180 RUN_SERIAL ON
  ENVIRONMENT "CMAKE=${CMAKE_COMMAND}")

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
add_test(NAME launcher_files_valid COMMAND ${CMAKE_COMMAND} -E chdir ${KLONDIKE_DESKTOP_DIR}
  sh -c "${DESKTOP_FILE_VALIDATE} ${KLONDIKE_APP_ID}.desktop && \
${APPSTREAMCLI} validate --no-net ${KLONDIKE_APP_ID}.metainfo.xml")
# desktop-file-validate reports warnings but exits with success.
set_tests_properties(launcher_files_valid PROPERTIES FAIL_REGULAR_EXPRESSION "[Ww]arning|[Ee]rror")

# The game in progress after a kill -9: the next start goes on with it.
add_test(NAME kept_game COMMAND ${CMAKE_CURRENT_LIST_DIR}/kept_game_test.sh $<TARGET_FILE:klondike>)
set_tests_properties(kept_game PROPERTIES TIMEOUT 120 RUN_SERIAL ON)
