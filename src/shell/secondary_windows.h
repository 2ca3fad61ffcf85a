#pragma once
// The secondary windows of the game, created once after the table window (in the order playlist
// editor, About box, end-of-game screen, card-set chooser, highscore list, help viewer), shown and
// hidden on demand and never re-created. They belong to the table window.
namespace results {
class AboutBox;
class EndGameScreen;
class HighscoreWindow;
class HelpViewer;
class StatisticsWindow;
}  // namespace results
namespace cards {
class CardSetChooser;
}
namespace music {
class PlaylistEditor;
}

namespace platform {
class SoundCuePlayer;
}

namespace shell {

class MainWindow;

struct SecondaryWindows {
  music::PlaylistEditor* playlistEditor = nullptr;
  results::AboutBox* about = nullptr;
  results::EndGameScreen* endGame = nullptr;
  cards::CardSetChooser* chooser = nullptr;
  results::HighscoreWindow* highscore = nullptr;
  results::HelpViewer* help = nullptr;
  results::StatisticsWindow* statistics = nullptr;
};

// Creates the windows and connects the table window's menu commands to them.
SecondaryWindows createSecondaryWindows(MainWindow& main, platform::SoundCuePlayer& sounds);

}  // namespace shell
