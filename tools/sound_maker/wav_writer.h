#pragma once
#include <string>
#include <vector>

// Writes mono samples (-1.0 .. 1.0, clipped) as a 16-bit PCM wave file. Returns false when the
// file cannot be written completely.
bool writeWave(const std::string& path, const std::vector<double>& samples, int sampleRate);
