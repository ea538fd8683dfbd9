// What the association searches cost on the compiled sample data of the simplified 2011 set.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "ime/lexicon/association_search.h"
#include "platform/sim/sim_book_reader.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_message_box.h"

namespace {

struct Sample {
  Sample() { lexicon.LoadLexicon(settings.lexicon); }

  platform::SimFolders folders{VELMO_DATA_ROOT};
  platform::SimFiles files;
  platform::SimBookReader books;
  platform::SimMessageBox messages;
  ime::CLexicon lexicon{ime::LexiconPorts{folders, files, books, messages}};
  std::vector<ime::ResultSlot> charSlots = std::vector<ime::ResultSlot>(2000);
  std::vector<ime::ResultSlot> wordSlots = std::vector<ime::ResultSlot>(2000);
  std::unique_ptr<ime::CandList> list = std::make_unique<ime::CandList>(7, 5);
  ime::AssociationSettings settings{{.scriptFlag = 1}, 1};
  ime::AssociationTarget target{lexicon, books, charSlots, wordSlots, *list};
};

void BM_ListAssociations(benchmark::State& state, const char16_t* text) {
  Sample sample;
  if (!sample.lexicon.associationIndex()) {
    state.SkipWithError("no association index in " VELMO_DATA_ROOT);
    return;
  }
  for (auto _ : state) {
    const ime::CandList& list = ime::ListAssociations(sample.target, sample.settings, text, 0);
    benchmark::DoNotOptimize(list.count);
  }
  state.counters["candidates"] = sample.list->charCount + sample.list->wordCount;
}

void BM_FindWordsContaining(benchmark::State& state, const char16_t* text) {
  Sample sample;
  if (!sample.lexicon.associationIndex()) {
    state.SkipWithError("no association index in " VELMO_DATA_ROOT);
    return;
  }
  int found = 0;
  for (auto _ : state) {
    const ime::CandList* list = ime::FindWordsContaining(sample.target, sample.settings, text);
    found = list ? list->count : 0;
    benchmark::DoNotOptimize(found);
  }
  state.counters["words"] = found;
}

BENCHMARK_CAPTURE(BM_ListAssociations, zhong, u"中")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ListAssociations, ren, u"人")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ListAssociations, zhongguo, u"中国")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindWordsContaining, zhong, u"中")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindWordsContaining, ren, u"人")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
