#pragma once
// The secondary windows and the music, as the table window calls them. The program connects the
// real windows once they exist (they are created after the table window); a hook that is not
// connected does nothing.
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace shell {

struct Companions {
  std::function<void()> showEndGame;                       // modal; returns when closed
  std::function<void()> showHighscoreList;                 // Game > Highscore list (modal)
  // Ranks a qualifying result (score and seconds texts); below the ten best it calls the given
  // end-of-game screen instead.
  std::function<void(const std::string& score, const std::string& seconds,
                     const std::function<void()>& showEndGame)>
      enterHighscore;
  std::function<std::optional<QString>()> chooseCardSet;   // chooser; the file, or nothing
  std::function<void()> showAbout;
  std::function<void()> showHelp;
  std::function<void()> editPlaylist;   // Music > Music playlist
  std::function<void()> toggleMusic;    // Music > Music on
  std::function<void()> nextSong;
  std::function<void()> previousSong;
  std::function<void()> stopMusic;      // at the window's destruction
};

}  // namespace shell
