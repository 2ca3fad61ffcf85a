// What keeping the game in progress costs after every move: the text of a game with `moves` undo
// steps, made on the window's thread, and its file written through the atomic writer (temporary
// file, flush to the disk, rename) on the writer's thread, into a folder beside the current one
// as the game does in its play folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "game/saved_game.h"
#include "shell/saved_game_file.h"

namespace {

// A game of `moves` completed moves on a dealt table (the steps' contents do not matter here).
game::SavedGame gameOf(int moves) {
  game::SavedGame g;
  for (auto& column : g.table.tableau)
    std::fill(std::begin(column), std::end(column), game::kEmpty);
  g.undo.assign(std::size_t(moves), g.table);
  g.tracked = game::TrackedGame{2, 300};
  return g;
}

void FormatKeptGame(benchmark::State& state) {
  const game::SavedGame g = gameOf(int(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = game::formatSavedGame(g);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = double(bytes);
}

void WriteKeptGame(benchmark::State& state) {
  const game::SavedGame g = gameOf(int(state.range(0)));
  const std::string dir = "kept_game_bench." + std::to_string(::getpid());
  std::filesystem::create_directory(dir);
  {
    shell::SavedGameWriter writer(dir);
    for (auto _ : state) {
      writer.store(g);
      writer.waitUntilDone();
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(FormatKeptGame)->Arg(0)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteKeptGame)->Arg(0)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
