// ScanSkins of a thousand skin folders, as the menus and the status line now
// do while the program runs, against a bare listing of the same folder that
// looks at nothing inside it. The counters give the time of one scan and
// the ratio to the listing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "skin/skin_catalogue.h"
#include "support/test_folder.h"

namespace {

constexpr int kSkins = 1000;

const TestFolder& ThousandSkins() {
  static TestFolder dir;
  static bool made = false;
  if (!made) {
    for (int i = 0; i < kSkins; ++i) {
      WriteBytes(dir.Path() / "skin" / ("skin" + std::to_string(i)) / "skin.ini", "[Default]\nFile=a.png\n");
    }
    made = true;
  }
  return dir;
}

size_t ListFolders() {
  size_t folders = 0;
  std::error_code error;
  std::filesystem::directory_iterator entry("skin", error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    folders += entry->is_directory(error) ? 1 : 0;
  }
  return folders;
}

void ScanOverListing(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  CurrentDirectoryScope inside(ThousandSkins().Path());
  SkinCatalogue catalogue;
  Clock::duration scan{}, listing{};
  for (auto _ : state) {
    auto start = Clock::now();
    ScanSkins(catalogue);
    scan += Clock::now() - start;
    start = Clock::now();
    const size_t folders = ListFolders();
    listing += Clock::now() - start;
    if (catalogue.size() != kSkins || folders != kSkins) state.SkipWithError("not every skin was found");
  }
  const double iterations = double(state.iterations());
  state.counters["scan_ms"] = std::chrono::duration<double, std::milli>(scan).count() / iterations;
  state.counters["listing_ms"] = std::chrono::duration<double, std::milli>(listing).count() / iterations;
  state.counters["ratio"] = double(scan.count()) / double(listing.count());
}

}  // namespace

BENCHMARK(ScanOverListing)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
