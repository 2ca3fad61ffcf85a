#pragma once
// The secondary windows of the game, created once after the table window (in the order playlist
// editor, About box, end-of-game screen, card-set chooser, highscore list, help viewer), shown and hidden on demand
// and never re-created. They belong to the table window.
class AboutBox;
class EndGameScreen;
class HighscoreWindow;
class CardSetChooser;
class HelpViewer;
class StatisticsWindow;
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
  AboutBox* about = nullptr;
  EndGameScreen* endGame = nullptr;
  CardSetChooser* chooser = nullptr;
  HighscoreWindow* highscore = nullptr;
  HelpViewer* help = nullptr;
  StatisticsWindow* statistics = nullptr;
};

// Creates the windows and connects the table window's menu commands to them.
SecondaryWindows createSecondaryWindows(MainWindow& main, platform::SoundCuePlayer& sounds);

}  // namespace shell
