#include "ime/lexicon/association_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/formats/association_book.h"
#include "common/formats/byte_io.h"
#include "common/formats/character_numbers.h"

namespace ime {
namespace {

constexpr const char* kAssociationBookFile = "lurnsmlx.mb";
// The longest text a result slot holds; a containing word also carries its first character.
constexpr std::size_t kMaxResultUnits = formats::kMaxWordUnits;
constexpr std::size_t kMaxContainingEntryUnits = kMaxResultUnits - 1;
// A block length is a uint16, so one buffer of this size takes any block in one read.
constexpr std::size_t kMaxBlockBytes = 0xFFFF;
constexpr char16_t kFirstIdeograph = 0x4E00;
constexpr char16_t kLastIdeograph = 0x9FA5;
constexpr std::uint32_t kNoFirstUnit = 0xFFFF0000;
constexpr std::uint32_t kFollowOnList = 1;

constexpr std::array<std::u16string_view, 20> kNumberUnits = {
    u"个",   u"种",   u"人",   u"次",     u"只",     u"条",       u"米",
    u"年",   u"月",   u"日",   u"公里",   u"小时",   u"公斤",     u"千克",
    u"千瓦", u"厘米", u"毫升", u"平方米", u"立方米", u"平方公里",
};

constexpr std::u16string_view kNumeralFirst = u"一二三四五六七八九十";
constexpr std::u16string_view kNumeralUnits = u"○一二三四五六七八九十百千万";
constexpr std::u16string_view kNumeralMagnitudes = u"十百千万";
constexpr char16_t kFullWidthZero = 0xFF10;
constexpr char16_t kFullWidthOne = 0xFF11;
constexpr char16_t kFullWidthNine = 0xFF19;

bool OneOf(std::u16string_view set, char16_t unit) {
  return set.find(unit) != std::u16string_view::npos;
}

// The lookup object's slots as this search fills them from index 0.
struct Collected {
  std::span<ResultSlot> chars;
  std::span<ResultSlot> words;
  std::size_t charCount = 0;
  std::size_t wordCount = 0;

  std::size_t CharLimit() const { return std::min(chars.size(), kMaxResults); }
  std::size_t WordLimit() const { return std::min(words.size(), kMaxResults); }
  bool Full() const { return charCount >= CharLimit() && wordCount >= WordLimit(); }

  // The result is what the entry adds after the committed text; its length alone decides its
  // kind. A kind that holds its limit drops the result.
  void Take(const formats::AssociationEntry& entry, std::size_t from) {
    const std::size_t units = entry.length() - from;
    ResultSlot* slot = nullptr;
    if (units == 1 && charCount < CharLimit()) {
      slot = &chars[charCount++];
    } else if (units > 1 && wordCount < WordLimit()) {
      slot = &words[wordCount++];
    }
    if (!slot) return;
    *slot = {};
    for (std::size_t i = 0; i < units; ++i) slot->units[i] = entry.Unit(from + i);
    if (units == 1) slot->units[2] = kNoCodeHint;
  }
};

// The block lengths of "lurnsmlx.idx", read straight from its bytes: a lookup needs one range
// or one walk in slot order, which does not pay for building the running sums. Lengths past
// the end of a short index count as empty blocks.
class SlotLengths {
 public:
  explicit SlotLengths(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint64_t Length(std::size_t slot) const {
    const std::size_t at = formats::kAssociationHeaderSize + slot * 2;
    if (slot >= formats::kAssociationSlotCount || at + 2 > bytes_.size()) return 0;
    return formats::LoadU16(bytes_, at);
  }

  formats::BookRange Range(std::size_t slot) const {
    std::uint64_t offset = formats::kAssociationHeaderSize;
    for (std::size_t before = 0; before < slot; ++before) offset += Length(before);
    return {offset, Length(slot)};
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

// The index of the data folder, after the reload check; empty when it is not loaded.
std::optional<SlotLengths> LoadedIndex(CLexicon& lexicon, const LexiconSettings& settings) {
  lexicon.CheckReload(settings);
  const auto& bytes = lexicon.associationIndex();
  if (!bytes) return std::nullopt;
  return SlotLengths(*bytes);
}

// Where a book's reads continue; a seek is needed only to go elsewhere. Blocks follow one
// another, so a walk in slot order seeks once and lets the file's own buffering serve the rest.
struct BookPosition {
  std::optional<std::uint64_t> at;
};

// Reads one block into `buffer` with one read; the bytes read, or empty on a failure. A book
// shorter than its index gives the part it holds.
std::optional<std::span<const std::uint8_t>> ReadBlock(platform::OpenBook& book,
                                                       formats::BookRange range,
                                                       std::vector<std::uint8_t>& buffer,
                                                       BookPosition& position) {
  const std::size_t length =
      static_cast<std::size_t>(std::min<std::uint64_t>(range.length, kMaxBlockBytes));
  if (buffer.size() < length) buffer.resize(length);
  if (position.at != range.offset) {
    position.at.reset();
    if (!book.Seek(range.offset)) return std::nullopt;
  }
  const auto count = book.Read(std::span(buffer).first(length));
  if (!count) return std::nullopt;
  const std::size_t held = std::min(*count, length);
  position.at = range.offset + held;
  return std::span<const std::uint8_t>(buffer).first(held);
}

void SortFollowOnWords(std::span<ResultSlot> words) {
  std::stable_sort(words.begin(), words.end(), [](const ResultSlot& a, const ResultSlot& b) {
    return a.text().size() < b.text().size();
  });
}

// Collects what may follow `text` into the slots: for a longer text, the rest of the entries
// that continue it.
Collected CollectFollowOns(const AssociationTarget& target, const LexiconSettings& settings,
                           std::u16string_view text) {
  Collected collected{target.charSlots, target.wordSlots};
  const auto slot = formats::AssociationSlot(text.front());
  const auto index = LoadedIndex(target.lexicon, settings);
  if (!slot || !index) return collected;
  const formats::BookRange range = index->Range(*slot);
  if (range.length == 0) return collected;

  std::vector<std::uint8_t> buffer;
  std::optional<std::span<const std::uint8_t>> block;
  {
    const auto book = target.books.Open(target.lexicon.DataFolder() / kAssociationBookFile);
    if (!book) return collected;
    BookPosition position;
    block = ReadBlock(*book, range, buffer, position);
  }
  if (!block) return collected;

  const std::size_t length = text.size();
  formats::AssociationEntryReader entries(*block);
  while (const auto entry = entries.Next()) {
    const std::size_t n = entry->length();
    if (n == 0 || n > kMaxResultUnits || n < length) continue;
    bool continues = true;
    for (std::size_t i = 0; i + 1 < length && continues; ++i) {
      continues = entry->Unit(i) == text[i + 1];
    }
    if (!continues) continue;
    collected.Take(*entry, length - 1);
    if (collected.Full()) break;
  }
  SortFollowOnWords(collected.words.first(collected.wordCount));
  return collected;
}

int ArrangementFor(char16_t trigger, int mamode) {
  if (trigger == kAssociateCharsFirst) return kCharsFirst;
  if (trigger == kAssociateWordsFirst) return kWordsFirst;
  return mamode;
}

// A page size below one would never use the characters up; the list's own paging takes it as
// one as well.
int PerPage(std::int32_t value) {
  return value < 1 ? 1 : value;
}

void AddFollowOns(CandList& list, const Collected& collected, int mamode) {
  const auto chars = collected.chars.first(collected.charCount);
  const auto words = collected.words.first(collected.wordCount);
  const auto add = [&list](const ResultSlot& slot) {
    AddCandidate(list, slot.text(), kNoCodeHint);
  };
  if (mamode == kCharsFirst || mamode == kWordsFirst) {
    std::for_each(chars.begin(), chars.end(), add);
    std::for_each(words.begin(), words.end(), add);
  } else if (mamode == kMixedPages) {
    list.arrangement = kMixedPages;
    const std::size_t charsPerPage = static_cast<std::size_t>(PerPage(list.charsPerPage));
    const std::size_t wordsPerPage = static_cast<std::size_t>(PerPage(list.wordsPerPage));
    std::size_t c = 0;
    std::size_t w = 0;
    while (c < chars.size()) {
      for (std::size_t i = 0; i < charsPerPage && c < chars.size(); ++i) add(chars[c++]);
      for (std::size_t i = 0; i < wordsPerPage && w < words.size(); ++i) add(words[w++]);
    }
    while (w < words.size()) add(words[w++]);
  }
}

bool Contains(const formats::AssociationEntry& entry, std::u16string_view text) {
  const std::size_t n = entry.length();
  for (std::size_t start = 0; start + text.size() <= n; ++start) {
    std::size_t i = 0;
    while (i < text.size() && entry.Unit(start + i) == text[i]) ++i;
    if (i == text.size()) return true;
  }
  return false;
}

}  // namespace

bool IsAssociationNumber(std::u16string_view text) {
  if (text.empty()) return false;
  const char16_t first = text.front();
  if (OneOf(kNumeralFirst, first)) {
    if (text.size() == 1) return true;
    return std::ranges::all_of(text, [](char16_t u) { return OneOf(kNumeralUnits, u); }) &&
           std::ranges::any_of(text, [](char16_t u) { return OneOf(kNumeralMagnitudes, u); });
  }
  if (first >= kFullWidthOne && first <= kFullWidthNine) {
    return std::ranges::all_of(
        text, [](char16_t u) { return u >= kFullWidthZero && u <= kFullWidthNine; });
  }
  return false;
}

CandList& ListAssociations(const AssociationTarget& target, const AssociationSettings& settings,
                           std::u16string_view text, char16_t trigger) {
  CandList& list = target.list;
  ResetCandList(list);
  if (text.empty()) return list;
  const Collected collected = CollectFollowOns(target, settings.lexicon, text);
  AddFollowOns(list, collected, settings.mamode);
  const int type = ArrangementFor(trigger, settings.mamode);
  if (list.count > 0) {
    list.keyInfo = text.size() == 1 ? static_cast<std::uint32_t>(text.front()) << 16 | kFollowOnList
                                    : kNoFirstUnit | kFollowOnList;
    ArrangeCandidates(list, type);
    return list;
  }
  if (!IsAssociationNumber(text)) return list;
  for (std::u16string_view unit : kNumberUnits) AddCandidate(list, unit, kNoCodeHint);
  ArrangeCandidates(list, type);
  return list;
}

CandList* FindWordsContaining(const AssociationTarget& target, const AssociationSettings& settings,
                              std::u16string_view text) {
  if (text.empty()) return nullptr;
  const auto index = LoadedIndex(target.lexicon, settings.lexicon);
  if (!index) return nullptr;
  const auto book = target.books.Open(target.lexicon.DataFolder() / kAssociationBookFile);
  if (!book) return nullptr;

  const std::span<ResultSlot> words =
      target.wordSlots.first(std::min(target.wordSlots.size(), kMaxResults));
  std::size_t found = 0;
  std::vector<std::uint8_t> buffer(kMaxBlockBytes);
  BookPosition position;
  std::uint64_t offset = formats::kAssociationHeaderSize;
  for (char16_t c = kFirstIdeograph; c <= kLastIdeograph && found < words.size(); ++c) {
    const formats::BookRange range{offset, index->Length(*formats::AssociationSlot(c))};
    offset += range.length;
    if (range.length == 0) continue;
    const auto block = ReadBlock(*book, range, buffer, position);
    if (!block) break;
    formats::AssociationEntryReader entries(*block);
    while (const auto entry = entries.Next()) {
      const std::size_t n = entry->length();
      const std::size_t shortest = text.size() == 1 ? 1 : text.size() + 1;
      if (n < shortest || n > kMaxContainingEntryUnits || !Contains(*entry, text)) continue;
      ResultSlot& slot = words[found++];
      slot = {};
      slot.units[0] = c;
      for (std::size_t i = 0; i < n; ++i) slot.units[i + 1] = entry->Unit(i);
      if (found == words.size()) break;
    }
  }
  if (found == 0) return nullptr;

  const auto& numberBytes = target.lexicon.characterNumbers();
  const formats::CharacterNumbers numbers(numberBytes ? std::span<const std::uint8_t>(*numberBytes)
                                                      : std::span<const std::uint8_t>());
  std::stable_sort(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(found),
                   [&numbers](const ResultSlot& a, const ResultSlot& b) {
                     const std::u16string_view ta = a.text();
                     const std::u16string_view tb = b.text();
                     if (ta.size() != tb.size()) return ta.size() < tb.size();
                     const auto na = numbers.NumberOf(ta.front());
                     const auto nb = numbers.NumberOf(tb.front());
                     if (na != nb) return na < nb;
                     return ta < tb;
                   });

  CandList& list = target.list;
  ResetCandList(list);
  if (settings.mamode == kMixedPages) list.arrangement = kMixedPages;
  for (std::size_t i = 0; i < found; ++i) AddCandidate(list, words[i].text(), kNoCodeHint);
  list.keyInfo = text.size() == 1 ? static_cast<std::uint32_t>(text.front()) << 16 : kNoFirstUnit;
  ArrangeCandidates(list, settings.mamode);
  return &list;
}

}  // namespace ime
