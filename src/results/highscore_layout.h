#pragma once
// Where the highscore window writes each place's row, shared with tools/picture_maker, which
// draws the background bars behind the rows: each bar must sit on its text line and have the
// colour of the name box that opens on it.
#include <QColor>
#include <array>

#include "results/highscore_list.h"

namespace results {

// Top of each place's text line, place 1 first.
inline constexpr std::array<int, kHighscoreRows> kHighscoreLineY = {66,  105, 143, 180, 218,
                                                                    256, 293, 331, 369, 408};

// The colour of a place's name box and of the bar behind its row (row 0 is place 1).
inline QColor highscoreRowColour(int row) {
  if (row < 2) return QColor(125, 169, 196);
  if (row < 5) return QColor(145, 182, 204);
  return QColor(186, 140, 135);
}

}  // namespace results
