#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ime {

// Size of the whole list block; the window and the engine read the fields in this order, so the
// block keeps its layout and its size.
constexpr std::int32_t kCandListBytes = 40000;
constexpr int kMaxCandidates = 1999;
// Room for the texts with their terminators; the rest of the text area is never written.
constexpr std::int32_t kCandTextBytes = 27900;
// The engine copies a chosen text into 50-unit buffers (terminator included).
constexpr std::size_t kMaxCandTextUnits = 49;
constexpr std::uint16_t kNoCodeHint = 0xFFFF;

// Values of `arrangement`.
enum CandArrangement : std::int32_t {
  kNotArranged = 0,
  kCharsFirst = 1,
  kWordsFirst = 2,
  kMixedPages = 3,
};

// The one list of candidates the engine shows and pages through. Every builder resets it and
// fills it in place. Only indexes below `count` are visible; after a characters-first or
// words-first arrangement the other kind stays stored behind them, so the list can be turned
// to the other kind without searching again.
struct CandList {
  CandList() = default;
  CandList(std::int32_t chars, std::int32_t words) : charsPerPage(chars), wordsPerPage(words) {}

  std::int32_t capacity = kCandListBytes;
  std::uint32_t keyInfo = 0;  // 0 except for the association lists
  std::uint16_t wordCount = 0;
  std::uint16_t charCount = 0;
  std::int32_t arrangement = kNotArranged;
  std::int32_t moreCount = 0;  // professional words that exist for the code but are not listed
  std::int32_t pageFirst = 0;
  std::int32_t pageNo = 0;
  std::int32_t count = 0;
  std::int32_t charsPerPage = 0;
  std::int32_t wordsPerPage = 0;
  // 0xFFFF, or the first four digits of a wildcard match's code as packed decimal.
  std::array<std::uint16_t, kMaxCandidates + 1> codeHints{};
  // Byte offsets into `text`; in the order of adding, entry i+1 = entry i + 2 * length + 2.
  std::array<std::int32_t, kMaxCandidates + 1> textOffsets{};
  std::array<char16_t, 13980> text{};  // terminated UTF-16 texts
};
static_assert(sizeof(CandList) == kCandListBytes);

// Starts a new list; the page sizes stay.
void ResetCandList(CandList& list);

// Appends a text (up to its first 0x0000, if any) with its code hint. Refused when the list
// holds 1,999 candidates, the text is longer than 49 units or the text area would pass 27,900
// bytes; a refusal changes nothing. Build a list only after a reset: adding to an arranged list
// writes over the entries stored behind `count`.
bool AddCandidate(CandList& list, std::u16string_view text, std::uint16_t hint);

// Reorders the list for `type` (kCharsFirst, kWordsFirst or kMixedPages) and goes to its first
// page. Returns false when the list holds only one kind, in which case only `arrangement` is
// set.
bool ArrangeCandidates(CandList& list, int type);

// Each returns the new `pageFirst`; at either end the page stays.
int NextPage(CandList& list);
int PrevPage(CandList& list);
bool IsLastPage(const CandList& list);

// Index of the first word on the current page, or -1.
int FirstWordOnPage(const CandList& list);

// Pages needed by the visible characters (texts of at most one unit) and by the visible words.
int CharPageCount(const CandList& list);
int WordPageCount(const CandList& list);

// The text and hint of a visible candidate; an empty text and kNoCodeHint outside 0..count-1.
std::u16string_view CandidateText(const CandList& list, int index);
std::uint16_t CandidateHint(const CandList& list, int index);

}  // namespace ime
