// Lookups on the compiled sample data set, simplified 2011 tables.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ime/lexicon/lex_search.h"
#include "platform/sim/iconv_code_pages.h"
#include "platform/sim/sim_book_reader.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_message_box.h"

namespace {

struct Fixture {
  platform::SimFolders folders{VELMO_DATA_ROOT};
  platform::SimFiles files;
  platform::SimBookReader books;
  platform::SimMessageBox messages;
  platform::IconvCodePages codePages{936};
  ime::LookupSettings settings{.scriptFlag = 1, .charsPerPage = 9, .wordsPerPage = 5};
  std::unique_ptr<ime::LexSearch> search = std::make_unique<ime::LexSearch>(
      ime::LexSearchPorts{{folders, files, books, messages}, codePages}, settings);
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void Lookup(benchmark::State& state, const std::string& code, int mamode) {
  Fixture& fixture = Shared();
  fixture.settings.mamode = mamode;
  std::int32_t count = 0;
  for (auto _ : state) {
    const ime::CandList* list = fixture.search->LookupCode(code, 0, fixture.settings);
    count = list->charCount + list->wordCount;
    benchmark::DoNotOptimize(list);
  }
  if (count == 0) state.SkipWithError("the sample data gave no candidates");
  state.counters["candidates"] = count;
  state.counters["object_bytes"] = static_cast<double>(sizeof(ime::LexSearch));
  state.counters["table_bytes"] = static_cast<double>(fixture.search->HeldBytes());
}

// The commonest four-digit character code and six-digit word code of the set.
void BM_ExactCharCode(benchmark::State& state) {
  Lookup(state, "4422", 1);
}
void BM_ExactWordCode(benchmark::State& state) {
  Lookup(state, "772772", 2);
}
// Three digits have no characters of their own: the lookup widens to 442?.
void BM_WidenedCharCode(benchmark::State& state) {
  Lookup(state, "442", 1);
}
// Five digits have no words of their own: the lookup widens to 77277?.
void BM_WidenedWordCode(benchmark::State& state) {
  Lookup(state, "77277", 2);
}
// A leading '?' reads the whole word book, and with characters first it is read twice (the
// characters-and-words search and the words-only one); almost nothing matches, so no scan stops
// early at 990.
void BM_WorstWildcard(benchmark::State& state) {
  Lookup(state, "?72772", 1);
}

BENCHMARK(BM_ExactCharCode);
BENCHMARK(BM_ExactWordCode);
BENCHMARK(BM_WidenedCharCode);
BENCHMARK(BM_WidenedWordCode);
BENCHMARK(BM_WorstWildcard)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
