#pragma once
// The secondary windows of the game, created once after the table window (in the order playlist
// editor, About box, end-of-game screen, card-set chooser, highscore list, help viewer), shown and hidden on demand
// and never re-created. They belong to the table window.
class TAbout;
class TEndGame;
class THighScore;
class TOpenBestand;
class HelpViewer;
namespace music {
class Tmidi1;
}

namespace platform {
class SoundCuePlayer;
}

namespace shell {

class TMain;

struct SecondaryWindows {
  music::Tmidi1* playlistEditor = nullptr;
  TAbout* about = nullptr;
  TEndGame* endGame = nullptr;
  TOpenBestand* chooser = nullptr;
  THighScore* highscore = nullptr;
  HelpViewer* help = nullptr;
};

// Creates the windows and connects the table window's menu commands to them.
SecondaryWindows createSecondaryWindows(TMain& main, platform::SoundCuePlayer& sounds);

}  // namespace shell
