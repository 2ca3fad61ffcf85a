#include "tools/sound_maker/cues.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;

std::size_t samplesFor(double seconds) {
  return static_cast<std::size_t>(seconds * kCueSampleRate);
}

// Scales the sound so that its loudest sample reaches `peak`.
void normalize(std::vector<double>& samples, double peak) {
  double loudest = 0;
  for (double s : samples) loudest = std::max(loudest, std::abs(s));
  if (loudest > 0)
    for (double& s : samples) s *= peak / loudest;
}

// Frequency of a MIDI note number (69 = A 440 Hz).
double noteFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Adds one note: six harmonics falling off like a brass tone, a slight vibrato, a quick attack,
// a decay to a sustained level and a short release so that no note ends in a click.
void addNote(std::vector<double>& out, double start, double length, int note, double loudness) {
  constexpr double kAttack = 0.015, kDecay = 0.08, kSustain = 0.7, kRelease = 0.09;
  const double frequency = noteFrequency(note);
  const std::size_t first = samplesFor(start);
  const std::size_t count = samplesFor(length + kRelease);
  out.resize(std::max(out.size(), first + count), 0.0);
  double phase = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kCueSampleRate;
    double envelope;
    if (t < kAttack)
      envelope = t / kAttack;
    else if (t < kAttack + kDecay)
      envelope = 1.0 - (1.0 - kSustain) * (t - kAttack) / kDecay;
    else
      envelope = kSustain;
    if (t > length) envelope *= std::max(0.0, 1.0 - (t - length) / kRelease);
    phase += 2 * kPi * frequency * (1.0 + 0.003 * std::sin(2 * kPi * 5.5 * t)) / kCueSampleRate;
    double tone = 0;
    for (int harmonic = 1; harmonic <= 6; ++harmonic) tone += std::sin(harmonic * phase) / harmonic;
    out[first + i] += loudness * envelope * tone;
  }
}

}  // namespace

std::vector<double> synthesizeRefusal() {
  std::vector<double> out(samplesFor(0.08));
  std::uint32_t noise = 12345;  // fixed seed: the same file on every build
  double phase = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kCueSampleRate;
    const double frequency = 90.0 + 70.0 * std::exp(-t / 0.02);
    phase += 2 * kPi * frequency / kCueSampleRate;
    noise = noise * 1664525u + 1013904223u;
    const double white = static_cast<double>(noise >> 8) / (1u << 24) * 2.0 - 1.0;
    const double fadeIn = std::min(1.0, t / 0.002);
    const double fadeOut = std::min(1.0, (0.08 - t) / 0.01);
    out[i] = fadeIn * fadeOut *
             (std::sin(phase) * std::exp(-t / 0.03) + 0.35 * white * std::exp(-t / 0.004));
  }
  normalize(out, 0.8);
  return out;
}

std::vector<double> synthesizeFanfare() {
  enum { C5 = 72, E5 = 76, G5 = 79, C6 = 84 };
  std::vector<double> out;
  addNote(out, 0.00, 0.12, C5, 1.0);
  addNote(out, 0.13, 0.12, E5, 1.0);
  addNote(out, 0.26, 0.12, G5, 1.0);
  addNote(out, 0.39, 0.22, C6, 1.0);
  addNote(out, 0.66, 0.10, G5, 0.9);
  addNote(out, 0.80, 0.60, C6, 1.0);
  addNote(out, 0.80, 0.60, G5, 0.5);
  addNote(out, 0.80, 0.60, E5, 0.5);
  addNote(out, 0.80, 0.60, C5, 0.5);
  out.resize(samplesFor(1.5), 0.0);
  normalize(out, 0.7);
  return out;
}
