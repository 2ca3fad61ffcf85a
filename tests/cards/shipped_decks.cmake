# The card sets the build draws into the play directory, decoded as the game reads them.
klondike_gtest(shipped_decks_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/shipped_decks_test.cpp LIBS cards_decode)
target_compile_definitions(shipped_decks_test PRIVATE SHIPPED_DECK_DIR="${PLAY_DIR}")
add_dependencies(shipped_decks_test cardset_decks)
