#pragma once
// The end-of-game screen: a borderless 300 x 200 congratulation picture, shown modally after a
// win that does not enter the highscore list. It plays the end-of-game sound each time it is
// shown (whether or not sound is switched on) and closes on a click on the picture or on Escape,
// Return or Space.
#include <QDialog>
#include <string>

#include "platform/sound_cues.h"

namespace results {

class ClickableLabel;

class EndGameScreen : public QDialog {
  Q_OBJECT

 public:
  // `startDir` is the folder that holds "mirt_2.wav"; `cues` plays it.
  explicit EndGameScreen(std::string startDir,
                         platform::SoundCuePlayer& cues = platform::soundCues(),
                         QWidget* parent = nullptr);

  // Centres the window on the screen and shows it until the player clicks it.
  void showModal();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void playEndSound();
  void pictureClicked();

  const std::string startDir_;
  platform::SoundCuePlayer& cues_;
  ClickableLabel* picture_;
  // The sound belongs to the first activation of each show; coming back from another
  // application while the window is up does not repeat it.
  bool activatedSinceShow_ = false;
};

}  // namespace results
