#include "ime/lexicon/lex_search.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/formats/numeric_code.h"
#include "common/formats/profession_book.h"
#include "common/formats/user_word_file.h"
#include "ime/lexicon/install_folders.h"

namespace ime {
namespace {

constexpr const char* kUserWordFile = "ZDYgbk.TXT";
constexpr const char* kProfessionBookFile = "ProfessionCi.MB";
constexpr std::size_t kChunkReserve = formats::kMaxWordRecordSize + 1;

bool Holds(std::span<const ResultSlot> slots, std::size_t count, std::u16string_view text) {
  const std::size_t end = std::min(count, slots.size());
  return std::any_of(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(end),
                     [&](const ResultSlot& slot) { return slot.text() == text; });
}

// The shared rule of the user and professional searches: a text goes to the next slot of its
// kind unless that kind holds 990 results or the same text; without slots it is only counted.
bool Collect(std::span<ResultSlot> slots, std::size_t total, std::u16string_view text,
             std::uint16_t hint, bool character) {
  if (total >= kMaxResults) return false;
  if (slots.empty()) return true;
  if (total >= slots.size() || Holds(slots, total, text)) return false;
  ResultSlot& slot = slots[total];
  slot = {};
  std::copy(text.begin(), text.end(), slot.units.begin());
  if (character) slot.units[2] = static_cast<char16_t>(hint);
  return true;
}

void ClearCounters(CLexicon& lexicon) {
  lexicon.counters.fill(0);
}

}  // namespace

std::size_t SearchUserWords(CLexicon& lexicon, const LexSearchPorts& ports, std::string_view code,
                            std::span<ResultSlot> charSlots, std::span<ResultSlot> wordSlots,
                            int type) {
  lexicon.counters[CLexicon::kUserChars] = 0;
  lexicon.counters[CLexicon::kUserWords] = 0;
  const bool wildcard = formats::HasWildcard(code);
  lexicon.wildcardFlag = wildcard ? 1 : 0;
  // Read afresh each time: the user word library may have changed the file since.
  const auto bytes = ports.lexicon.files.ReadAll(BaseFolder(ports.lexicon.folders) / kUserWordFile);
  if (!bytes) return 0;
  formats::UserWordReader reader(*bytes, ports.codePages, ports.codePages.AnsiCodePage());
  while (const auto entry = reader.Next()) {
    if (wildcard ? !formats::MatchesCode(code, entry->code) : entry->code != code) continue;
    const std::size_t units = entry->word.size();
    if (units == 1 && type != kWordsOnly) {
      if (Collect(charSlots, lexicon.CharTotal(), entry->word, kNoCodeHint, true)) {
        ++lexicon.counters[CLexicon::kUserChars];
      }
    } else if (units >= 2 && type != kCharsOnly) {
      if (Collect(wordSlots, lexicon.WordTotal(), entry->word, kNoCodeHint, false)) {
        ++lexicon.counters[CLexicon::kUserWords];
      }
    }
  }
  return static_cast<std::size_t>(lexicon.counters[CLexicon::kUserChars] +
                                  lexicon.counters[CLexicon::kUserWords]);
}

std::size_t SearchProfession(CLexicon& lexicon, const LexSearchPorts& ports,
                             const LookupSettings& current, std::string_view code,
                             std::span<ResultSlot> charSlots, std::span<ResultSlot> wordSlots,
                             int type) {
  lexicon.CheckReload(current.lexicon());
  if (!current.userzc || !lexicon.professionIndex()) return 0;
  if (!formats::IsCode(code, kMaxWordLookupLength, true)) return 0;
  lexicon.counters[CLexicon::kProfessionChars] = 0;
  lexicon.counters[CLexicon::kProfessionWords] = 0;
  if (lexicon.WordTotal() >= kMaxResults && code.size() > kMaxCharLookupLength) return 0;
  const auto index = formats::ProfessionIndex::Parse(*lexicon.professionIndex());
  const auto buckets = formats::BucketsOf(code);
  if (!index || !buckets) return 0;
  const bool wildcard = formats::HasWildcard(code);
  if (wildcard) lexicon.wildcardFlag = 1;
  const formats::BookRange range =
      buckets->wholeBook ? index->WholeBook() : index->Range(buckets->span);
  if (range.length == 0) return 0;
  const auto book =
      ports.lexicon.books.Open(BaseFolder(ports.lexicon.folders) / kProfessionBookFile);
  if (!book) return 0;

  const auto kept = [&] {
    return static_cast<std::size_t>(lexicon.counters[CLexicon::kProfessionChars] +
                                    lexicon.counters[CLexicon::kProfessionWords]);
  };
  const auto full = [&] {
    return lexicon.CharTotal() >= kMaxResults && lexicon.WordTotal() >= kMaxResults;
  };
  // Offers one matching record; true when the search must end.
  const auto offer = [&](const formats::CodeRecord& record) {
    formats::WordEntryReader entries(record.entries);
    while (const auto entry = entries.Next()) {
      if (entry->length() == 0 || entry->length() > formats::kMaxWordUnits) continue;
      const std::u16string text = formats::UnmaskedText(*entry, lexicon.xorMask());
      if (text.size() == 1 && type != kWordsOnly) {
        const std::uint16_t hint =
            wildcard ? static_cast<std::uint16_t>(record.packed[0] << 8 | record.packed[1])
                     : static_cast<std::uint16_t>(kNoCodeHint);
        if (Collect(charSlots, lexicon.CharTotal(), text, hint, true)) {
          ++lexicon.counters[CLexicon::kProfessionChars];
        }
      } else if (text.size() >= 2 && type != kCharsOnly) {
        if (Collect(wordSlots, lexicon.WordTotal(), text, kNoCodeHint, false)) {
          ++lexicon.counters[CLexicon::kProfessionWords];
        }
      }
      if (full()) return true;
    }
    return !wildcard;
  };

  std::vector<std::uint8_t> cache(
      static_cast<std::size_t>(std::min<std::uint64_t>(range.length, formats::kReadCacheSize)));
  const bool chunked = range.length > formats::kReadCacheSize;
  std::uint64_t consumed = 0;
  while (consumed < range.length) {
    const std::size_t chunk =
        static_cast<std::size_t>(std::min<std::uint64_t>(cache.size(), range.length - consumed));
    if (!book->Seek(range.offset + consumed)) break;
    const auto count = book->Read(std::span(cache).first(chunk));
    if (!count) {
      if (chunked) ports.lexicon.messages.Show("读文件失败！", "检索专业词库词组带问号");
      break;
    }
    const bool last = !chunked || *count < chunk || consumed + *count == range.length;
    formats::RecordReader records(formats::EntryLayout::kWord,
                                  std::span<const std::uint8_t>(cache).first(*count));
    std::size_t next = 0;
    while (const auto record = records.Next()) {
      if (formats::MatchesCode(code, record->code.view()) && offer(*record)) return kept();
      if (!last && records.position() + kChunkReserve > *count) {
        next = records.position();
        break;
      }
    }
    if (last || next == 0) break;
    consumed += next;
  }
  return kept();
}

LexSearch::LexSearch(const LexSearchPorts& ports, const LookupSettings& settings)
    : ports_(ports), lexicon_(ports.lexicon) {
  lexicon_.LoadLexicon(settings.lexicon());
  list_ = std::make_unique<CandList>(settings.charsPerPage, settings.wordsPerPage);
}

LexSearch::~LexSearch() {
  list_.reset();
  lexicon_.FreeLexicon();
}

std::size_t LexSearch::HeldBytes() const {
  const auto size = [](const std::optional<std::vector<std::uint8_t>>& table) {
    return table ? table->size() : 0;
  };
  std::size_t bytes = list_ ? sizeof(CandList) : 0;
  bytes += size(lexicon_.hkcsTable()) + size(lexicon_.associationIndex()) +
           size(lexicon_.professionIndex()) + size(lexicon_.characterNumbers());
  // The parsed main index keeps a running offset per bucket boundary for each of the two books.
  if (lexicon_.mainIndex()) {
    bytes += sizeof(formats::MainIndex) + 2 * (formats::kBucketCount + 1) * sizeof(std::uint64_t);
  }
  if (lexicon_.hasReadCache()) bytes += formats::kReadCacheSize;
  return bytes;
}

std::size_t LexSearch::SearchCodeBooks(std::string_view code, std::span<ResultSlot> charSlots,
                                       std::span<ResultSlot> wordSlots, int type, unsigned sources,
                                       const LookupSettings& current, std::size_t& words) {
  lexicon_.CheckReload(current.lexicon());
  ClearCounters(lexicon_);
  const auto bookChars = [&] {
    if (!(sources & kCharBookSource) || type == kWordsOnly) return;
    const std::size_t first = lexicon_.CharTotal();
    const std::size_t found = SearchChars(lexicon_, current.lexicon(), code, charSlots);
    if (lexicon_.wildcardFlag && found > 1 && !charSlots.empty()) {
      SortCharsByKey(charSlots, lexicon_.sortKeys, first, found);
    }
  };
  const auto bookWords = [&] {
    if (!(sources & kWordBookSource) || type == kCharsOnly) return;
    const std::size_t first = lexicon_.WordTotal();
    const std::size_t found = SearchWords(lexicon_, current.lexicon(), code, wordSlots);
    if (lexicon_.wildcardFlag && found > 1 && found <= kMaxResults && !wordSlots.empty()) {
      SortWordsByLengthAndKey(wordSlots, lexicon_.sortKeys, first, found);
    }
  };
  const auto userWords = [&] {
    if (sources & kUserWordSource) {
      SearchUserWords(lexicon_, ports_, code, charSlots, wordSlots, type);
    }
  };
  if (current.usertop) {
    userWords();
    bookChars();
    bookWords();
  } else {
    bookChars();
    bookWords();
    userWords();
  }
  words = lexicon_.WordTotal();
  return lexicon_.CharTotal();
}

std::size_t LexSearch::ProfessionCount(std::string_view code, const LookupSettings& current) {
  ClearCounters(lexicon_);
  SearchProfession(lexicon_, ports_, current, code, {}, {}, kWordsOnly);
  return static_cast<std::size_t>(lexicon_.counters[CLexicon::kProfessionWords]);
}

std::size_t LexSearch::ProfessionWords(std::string_view code, std::string& work,
                                       const LookupSettings& current, bool extend) {
  ClearCounters(lexicon_);
  SearchProfession(lexicon_, ports_, current, code, charSlots_, wordSlots_, kWordsOnly);
  while (lexicon_.WordTotal() == 0 && extend && work.size() < kMaxWordLookupLength) {
    work.push_back('?');
    ClearCounters(lexicon_);
    SearchProfession(lexicon_, ports_, current, work, charSlots_, wordSlots_, kWordsOnly);
  }
  return lexicon_.WordTotal();
}

std::size_t LexSearch::SortedBookChars(std::string_view code, const LookupSettings& current) {
  // The characters alone start a new search: stale counters would place them past slot 0.
  ClearCounters(lexicon_);
  const std::size_t found = SearchChars(lexicon_, current.lexicon(), code, charSlots_);
  if (lexicon_.wildcardFlag && found > 1) SortCharsByKey(charSlots_, lexicon_.sortKeys, 0, found);
  return found;
}

CandList* LexSearch::LookupCode(std::string_view code, int mode, const LookupSettings& current) {
  unsigned sources = kCharBookSource;
  if (current.mabeng) sources |= kWordBookSource;
  if (current.userzc) sources |= kUserWordSource;
  std::string work(code);
  std::size_t nC = 0;
  std::size_t nW = 0;
  std::size_t more = 0;
  const auto search = [&](std::string_view pattern, std::span<ResultSlot> words, int type,
                          std::size_t& foundWords) {
    return SearchCodeBooks(pattern, charSlots_, words, type, sources, current, foundWords);
  };

  if (mode == 1) {
    nC = SortedBookChars(code, current);
    while (nC == 0 && work.size() < kMaxCharLookupLength) {
      work.push_back('?');
      nC = SortedBookChars(work, current);
    }
    work = code;
    nW = ProfessionWords(code, work, current, nC == 0);
  } else if (current.mamode == kCharsFirst) {
    nC = search(code, wordSlots_, kCharsAndWords, nW);
    while (nC == 0 && work.size() < kMaxCharLookupLength) {
      work.push_back('?');
      std::size_t words = 0;
      if (nW > 0) {
        nC = search(work, {}, kCharsAndWords, words);
      } else {
        nC = search(work, wordSlots_, kCharsAndWords, nW);
      }
    }
    if (nC == 0) {
      work = code;
      search(code, wordSlots_, kWordsOnly, nW);
      while (nW == 0 && work.size() < kMaxWordLookupLength) {
        work.push_back('?');
        search(work, wordSlots_, kWordsOnly, nW);
      }
    }
    more = ProfessionCount(code, current);
    if (nW == 0) {
      nW = ProfessionWords(code, work, current, nC == 0);
      more = 0;
    }
  } else if (current.mamode == kWordsFirst) {
    nC = search(code, wordSlots_, kCharsAndWords, nW);
    while (nW == 0 && work.size() < kMaxWordLookupLength) {
      work.push_back('?');
      search(work, wordSlots_, kWordsOnly, nW);
    }
    if (nW > 0) {
      more = ProfessionCount(code, current);
    } else {
      nW = ProfessionWords(code, work, current, true);
      if (nW == 0) {
        work = code;
        std::size_t words = 0;
        nC = search(code, {}, kCharsOnly, words);
        while (nC == 0 && work.size() < kMaxCharLookupLength) {
          work.push_back('?');
          nC = search(work, {}, kCharsOnly, words);
        }
      }
    }
  } else if (current.mamode == kMixedPages) {
    nC = search(code, wordSlots_, kCharsAndWords, nW);
    while (nC + nW == 0 && work.size() < kMaxWordLookupLength) {
      work.push_back('?');
      nC = search(work, wordSlots_, kCharsAndWords, nW);
    }
    more = ProfessionCount(code, current);
    if (nW == 0) {
      nW = ProfessionWords(code, work, current, nC == 0);
      more = 0;
    }
  } else {
    nW = ProfessionWords(code, work, current, true);
  }

  CandList& list = *list_;
  list.charsPerPage = current.charsPerPage;
  list.wordsPerPage = current.wordsPerPage;
  ResetCandList(list);
  list.moreCount = static_cast<std::int32_t>(more);
  for (std::size_t i = 0; i < nC && i < charSlots_.size(); ++i) {
    if (!AddCandidate(list, charSlots_[i].text(), charSlots_[i].units[2])) break;
  }
  for (std::size_t i = 0; i < nW && i < wordSlots_.size(); ++i) {
    if (!AddCandidate(list, wordSlots_[i].text(), kNoCodeHint)) break;
  }
  ArrangeCandidates(list, current.mamode);
  return &list;
}

}  // namespace ime
