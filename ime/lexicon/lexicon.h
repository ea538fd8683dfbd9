#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/formats/code_book.h"
#include "common/formats/length_table.h"
#include "common/formats/main_index.h"
#include "common/formats/profession_book.h"
#include "ime/lexicon/cand_list.h"
#include "platform/ports/book_reader.h"
#include "platform/ports/files.h"
#include "platform/ports/folders.h"
#include "platform/ports/message_box.h"

namespace ime {

inline constexpr std::size_t kMaxResults = 990;

// The configuration values the lexicon depends on, taken at load and at every lookup.
struct LexiconSettings {
  int scriptFlag = 0;   // 1 simplified, otherwise traditional
  int comptb02 = 0;     // not 0: the older code tables
  bool userzc = false;  // the professional lexicon takes part
};

// What the lexicon reads and reports through. All must outlive the lexicon.
struct LexiconPorts {
  const platform::Folders& folders;
  const platform::Files& files;
  const platform::BookReader& books;
  platform::MessageBoxPort& messages;
};

// One entry of a matching record of the character book.
struct CharHit {
  char16_t character = 0;
  std::uint16_t sortKey = 0;
  // The record's first two packed code bytes: the first four digits, the hint of a wildcard
  // match.
  std::array<std::uint8_t, 2> codeBytes{};
};

// Whether a scan goes on after an entry; the collector stops it when it holds 990 results.
enum class ScanStep { kContinue, kStop };
using CharSink = std::function<ScanStep(const CharHit&)>;
// The entry's text is 1 to 49 units; it points into the read cache and is valid only during the
// call.
using WordSink = std::function<ScanStep(const formats::WordEntry&)>;

// The loaded tables of the main lexicon and the read cache, one per lookup object.
class CLexicon {
 public:
  explicit CLexicon(const LexiconPorts& ports) : ports_(ports) {}
  ~CLexicon() { FreeLexicon(); }
  CLexicon(const CLexicon&) = delete;
  CLexicon& operator=(const CLexicon&) = delete;

  void LoadLexicon(const LexiconSettings& settings);
  // Loads the tables of the data folder again, keeping those of the base folder and the cache.
  void ReloadLexicon();
  void FreeLexicon();
  // Run at the start of every lookup: a changed script flag or Comptb02 reloads the variant
  // tables. True when it reloaded.
  bool CheckReload(const LexiconSettings& current);

  // The bytes of a book that a code or '?' pattern reads; empty when there is nothing to read
  // (a code the book does not take, no main index even after one silent retry, an empty range,
  // a book that cannot be opened for a pattern beginning with '?').
  std::optional<formats::BookRange> RangeOf(formats::Book book, std::string_view code);

  // Calls `sink` for each entry of every record of the code's range that matches it, in file
  // order; an exact code stops after its first matching record. Returns the number of entries
  // passed on.
  std::size_t ScanChars(std::string_view code, const CharSink& sink);
  std::size_t ScanWords(std::string_view code, const WordSink& sink);

  const std::optional<std::vector<std::uint8_t>>& hkcsTable() const { return hkcs_; }
  std::int32_t hkcsCount() const { return hkcsCount_; }
  std::int32_t scriptFlag() const { return scriptFlag_; }
  std::int32_t comptb02() const { return comptb02_; }
  const std::optional<std::vector<std::uint8_t>>& associationIndex() const { return association_; }
  const std::optional<formats::MainIndex>& mainIndex() const { return mainIndex_; }
  const std::optional<std::vector<std::uint8_t>>& professionIndex() const { return profession_; }
  bool hasReadCache() const { return !cache_.empty(); }
  const std::optional<std::vector<std::uint8_t>>& characterNumbers() const {
    return characterNumbers_;
  }
  const formats::ProfessionMask& xorMask() const { return xorMask_; }

  std::filesystem::path DataFolder() const;

  // Kept here for the result collector: one key per collected result, the wildcard flag of the
  // current search, and the counts of code-book characters, code-book words, professional
  // characters, professional words, user characters and user words.
  std::array<std::uint16_t, kMaxResults> sortKeys{};
  std::int32_t wildcardFlag = 0;
  std::array<std::int32_t, 6> counters{};
  enum Counter {
    kBookChars,
    kBookWords,
    kProfessionChars,
    kProfessionWords,
    kUserChars,
    kUserWords
  };
  std::size_t CharTotal() const;
  std::size_t WordTotal() const;

 private:
  enum class Load { kLoaded, kCannotOpen, kOutOfMemory };
  Load LoadWhole(const std::filesystem::path& file, std::optional<std::vector<std::uint8_t>>& into);
  Load LoadMainIndex();
  void LoadHkcs();
  bool EnsureMainIndex();
  void Show(const char* text, const char* caption);
  std::size_t ScanWordsChunked(platform::OpenBook& book, formats::BookRange range,
                               std::string_view code, const WordSink& sink);

  LexiconPorts ports_;
  std::optional<std::vector<std::uint8_t>> hkcs_;
  std::int32_t hkcsCount_ = 0;
  std::int32_t scriptFlag_ = 0;
  std::int32_t comptb02_ = 0;
  std::optional<std::vector<std::uint8_t>> association_;
  std::optional<formats::MainIndex> mainIndex_;
  std::optional<std::vector<std::uint8_t>> profession_;
  std::vector<std::uint8_t> cache_;
  std::optional<std::vector<std::uint8_t>> characterNumbers_;
  formats::ProfessionMask xorMask_{};
  bool userzc_ = false;
};

// One collected result: a text of at most 49 units and its terminator. A single character
// carries its code hint in unit 2.
struct ResultSlot {
  std::array<char16_t, formats::kMaxWordUnits + 1> units{};
  std::u16string_view text() const;
};

// Collect the entries of the character or the word book into the next free slots of their kind
// (after the reload check), dropping texts already held there and stopping at 990 of that kind.
// Empty `slots` only count, without the duplicate test. Return how many were kept.
std::size_t SearchChars(CLexicon& lexicon, const LexiconSettings& current, std::string_view code,
                        std::span<ResultSlot> slots);
std::size_t SearchWords(CLexicon& lexicon, const LexiconSettings& current, std::string_view code,
                        std::span<ResultSlot> slots);

// Stable exchange sorts of slots [first, first + count) together with the sort keys at the same
// indexes: characters by key, smaller first; words shorter first, equal lengths by key, larger
// first.
void SortCharsByKey(std::span<ResultSlot> slots, std::span<std::uint16_t> keys, std::size_t first,
                    std::size_t count);
void SortWordsByLengthAndKey(std::span<ResultSlot> slots, std::span<std::uint16_t> keys,
                             std::size_t first, std::size_t count);

}  // namespace ime
