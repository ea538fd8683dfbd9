#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "ime/lexicon/lexicon.h"
#include "platform/ports/code_pages.h"

#include "ime/lexicon/cand_list.h"

namespace ime {

inline constexpr std::size_t kResultSlotCount = 2000;
inline constexpr std::size_t kMaxCharLookupLength = 4;
inline constexpr std::size_t kMaxWordLookupLength = 6;

// The configuration values a lookup reads, taken afresh at every lookup.
struct LookupSettings {
  int scriptFlag = 0;
  int comptb02 = 0;
  int mamode = 1;        // 1 characters first, 2 words first, 3 mixed pages
  bool mabeng = true;    // the word code book takes part
  bool userzc = false;   // the user word file and the professional lexicon take part
  bool usertop = false;  // user entries before code-book entries
  std::int32_t charsPerPage = 0;
  std::int32_t wordsPerPage = 0;

  LexiconSettings lexicon() const { return {scriptFlag, comptb02, userzc}; }
};

// `type` of the searches.
enum SearchType : int { kCharsAndWords = 0, kCharsOnly = 1, kWordsOnly = 2 };

// The sources of SearchCodeBooks, as bits.
enum SearchSource : unsigned {
  kCharBookSource = 1u,
  kWordBookSource = 2u,
  kUserWordSource = 4u,
};

// The lexicon ports, and the code pages the user word file is read with. All must outlive the
// lookup object.
struct LexSearchPorts {
  LexiconPorts lexicon;
  const platform::CodePages& codePages;
};

// Collects the user words of "ZDYgbk.TXT" in the base folder that match `code`; see the
// collection rules of SearchChars. Returns the user characters plus user words kept.
std::size_t SearchUserWords(CLexicon& lexicon, const LexSearchPorts& ports, std::string_view code,
                            std::span<ResultSlot> charSlots, std::span<ResultSlot> wordSlots,
                            int type);

// Collects the entries of "ProfessionCi.MB" in the base folder that match `code`, unmasked.
// Nothing without `userzc` or a loaded professional index. Returns the professional characters
// plus words kept.
std::size_t SearchProfession(CLexicon& lexicon, const LexSearchPorts& ports,
                             const LookupSettings& current, std::string_view code,
                             std::span<ResultSlot> charSlots, std::span<ResultSlot> wordSlots,
                             int type);

// The engine's one lookup object: the loaded lexicon, the result slots of the last search and
// the candidate list every lookup refills.
class LexSearch {
 public:
  LexSearch(const LexSearchPorts& ports, const LookupSettings& settings);
  ~LexSearch();
  LexSearch(const LexSearch&) = delete;
  LexSearch& operator=(const LexSearch&) = delete;

  // Fills the list with the candidates of the typed code (1 to 6 digits and '?'). Mode 0 is the
  // normal lookup; mode 1 lists the code-book characters with the professional words.
  CandList* LookupCode(std::string_view code, int mode, const LookupSettings& current);

  // Resets the counters and collects from `sources`; the user entries come first with
  // `usertop`. Returns the character total and reports the word total in `words`. Empty slots
  // only count.
  std::size_t SearchCodeBooks(std::string_view code, std::span<ResultSlot> charSlots,
                              std::span<ResultSlot> wordSlots, int type, unsigned sources,
                              const LookupSettings& current, std::size_t& words);

  CandList& list() { return *list_; }
  CLexicon& lexicon() { return lexicon_; }
  std::span<ResultSlot> charSlots() { return charSlots_; }
  std::span<ResultSlot> wordSlots() { return wordSlots_; }

  // The bytes this object holds beyond its own size: the list and the loaded tables.
  std::size_t HeldBytes() const;

 private:
  std::size_t ProfessionCount(std::string_view code, const LookupSettings& current);
  std::size_t ProfessionWords(std::string_view code, std::string& work,
                              const LookupSettings& current, bool extend);
  std::size_t SortedBookChars(std::string_view code, const LookupSettings& current);

  LexSearchPorts ports_;
  std::unique_ptr<CandList> list_;
  CLexicon lexicon_;
  std::array<ResultSlot, kResultSlotCount> charSlots_{};
  std::array<ResultSlot, kResultSlotCount> wordSlots_{};
};

}  // namespace ime
