#pragma once
// The secondary windows, as the table window calls them. The program connects the
// real windows once they exist (they are created after the table window); a hook that is not
// connected does nothing.
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace shell {

struct Companions {
  std::function<void()> showEndGame;        // modal; returns when closed
  std::function<void()> showHighscoreList;  // Game > Highscore list (modal)
  std::function<void()> showStatistics;     // Game > Statistics (modal)
  // Ranks a qualifying result; below the ten best it calls the given end-of-game screen instead.
  std::function<void(int score, int seconds, const std::function<void()>& showEndGame)>
      enterHighscore;
  std::function<std::optional<QString>()> chooseCardSet;  // chooser; the file, or nothing
  std::function<void()> showAbout;
  std::function<void()> showHelp;
  // Music > Music playlist: runs the editor on `playlist`; true when closed with OK.
  std::function<bool(std::vector<std::string>& playlist, int& chosenSong)> runPlaylistEditor;
};

}  // namespace shell
