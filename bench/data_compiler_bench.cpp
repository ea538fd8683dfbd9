// How long the data compiler takes for a data set of a million words.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/formats/unicode_text.h"
#include "tests/support/temp_dir.h"
#include "tools/data_compiler/data_set_compiler.h"

namespace {

constexpr int kWords = 1'000'000;
constexpr int kChars = 8'000;

std::string Char(int i) {
  return formats::Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(0x4E00 + i)));
}

// Synthetic sources: 8,000 characters on 4-digit codes, a million words of two to five
// characters, one code each, in code order.
void WriteSources(const std::filesystem::path& root) {
  std::filesystem::create_directories(root / "base");
  std::filesystem::create_directories(root / "KUZ2011_chs");
  std::ofstream codes(root / "base" / "codes.txt");
  std::ofstream chars(root / "KUZ2011_chs" / "chars.txt");
  char buffer[64];
  for (int i = 0; i < kChars; ++i) {
    std::snprintf(buffer, sizeof buffer, "U+%04X\t", 0x4E00 + i);
    codes << buffer << Char(i) << '\t' << i % 10000 / 1000 << i % 1000 << "\t0\t-\t0\t"
          << 1 + i % 18 << '\n';
  }
  for (int code = 0, i = 0; code < 10000; ++code) {
    for (int k = code; k < kChars; k += 10000, ++i) {
      std::snprintf(buffer, sizeof buffer, "%04d\t", code);
      chars << buffer << Char(k) << '\t' << 1 + k << "\t0\t0\t-\n";
    }
  }
  std::ofstream words(root / "KUZ2011_chs" / "words.txt");
  for (int i = 0; i < kWords; ++i) {
    std::snprintf(buffer, sizeof buffer, "%06d\t", i);
    words << buffer;
    for (int k = 0; k < 2 + i % 4; ++k) words << Char((i * 7 + k * 131) % kChars);
    words << '\t' << 1 + i % 60000 << "\t0\n";
  }
  std::ofstream(root / "base" / "profession.txt")
      << "500601\t" << Char(1) << Char(2) << "\t1\t0\ts\n";
  std::ofstream(root / "KUZ2011_chs" / "symbols.txt") << "U+3001\t\xE3\x80\x81\n";
  std::ofstream(root / "KUZ2011_chs" / "hkcs.txt");
}

void BM_CompileMillionWords(benchmark::State& state) {
  testing_support::TempDir dir;
  WriteSources(dir.path());
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto compiled = data_compiler::CompileDataSet(dir.path());
    if (compiled.error) {
      state.SkipWithError(compiled.error->ToString().c_str());
      return;
    }
    bytes = 0;
    for (const auto& [path, data] : compiled.files) bytes += data.size();
    benchmark::DoNotOptimize(compiled.files);
  }
  state.counters["words"] = kWords;
  state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_CompileMillionWords)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
