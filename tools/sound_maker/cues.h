#pragma once
#include <vector>

constexpr int kCueSampleRate = 44100;

// A dull knock of about 80 ms: a falling low tone with a short click at its start.
std::vector<double> synthesizeRefusal();

// About 1.5 s of a rising brass-like arpeggio that ends on a held major chord.
std::vector<double> synthesizeFanfare();
