#pragma once
// The game's pictures, each drawn at the size its window shows it.
#include <QImage>

QImage drawHighscoreBackground();  // 351 x 451
QImage drawEndGame();              // 300 x 200
QImage drawAboutLogo();            // 169 x 130

enum class Character { Dealer, Gambler };
QImage drawPortrait(Character who);  // 100 x 120
