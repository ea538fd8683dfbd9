#include "ime/lexicon/lexicon.h"

#include <algorithm>
#include <new>

#include "common/formats/numeric_code.h"
#include "ime/lexicon/install_folders.h"

namespace ime {
namespace {

constexpr const char* kMainIndexFile = "lurn2008.idx";
constexpr const char* kAssociationIndexFile = "lurnsmlx.idx";
constexpr const char* kHkcsFile = "HKCS.mb";
constexpr const char* kProfessionIndexFile = "ProfessionCi.idx";
constexpr const char* kCharacterNumbersFile = "gbkhznum.mb";
constexpr const char* kCharBookFile = "lurnsmz.mb";
constexpr const char* kWordBookFile = "lurnsmc.mb";
constexpr std::size_t kHkcsRecordSize = 6;
// A chunk is parsed only while a whole record (shorter than this) is certain to lie inside it.
constexpr std::size_t kChunkReserve = formats::kMaxWordRecordSize + 1;

constexpr const char* kOutOfMemory = "内存申请失败,请先关闭一些程序";
constexpr const char* kReadFailed = "读文件失败！";

// The result of offering the entries of one record: whether the scan must stop.
struct RecordOutcome {
  std::size_t passed = 0;
  bool stop = false;
};

RecordOutcome OfferWordEntries(const formats::CodeRecord& record, const WordSink& sink) {
  RecordOutcome outcome;
  formats::WordEntryReader entries(record.entries);
  while (const auto entry = entries.Next()) {
    // Longer texts do not fit a result slot; an empty one is damage.
    if (entry->length() == 0 || entry->length() > formats::kMaxWordUnits) continue;
    ++outcome.passed;
    if (sink(*entry) == ScanStep::kStop) {
      outcome.stop = true;
      break;
    }
  }
  return outcome;
}

}  // namespace

std::filesystem::path CLexicon::DataFolder() const {
  return ime::DataFolder(ports_.folders, scriptFlag_, comptb02_);
}

void CLexicon::Show(const char* text, const char* caption) {
  ports_.messages.Show(text, caption);
}

CLexicon::Load CLexicon::LoadWhole(const std::filesystem::path& file,
                                   std::optional<std::vector<std::uint8_t>>& into) {
  into.reset();
  try {
    auto bytes = ports_.files.ReadAll(file);
    if (!bytes) return Load::kCannotOpen;
    into = std::move(bytes);
  } catch (const std::bad_alloc&) {
    return Load::kOutOfMemory;
  }
  return Load::kLoaded;
}

CLexicon::Load CLexicon::LoadMainIndex() {
  mainIndex_.reset();
  std::optional<std::vector<std::uint8_t>> bytes;
  const Load result = LoadWhole(DataFolder() / kMainIndexFile, bytes);
  if (result == Load::kLoaded) mainIndex_ = formats::MainIndex::Parse(*bytes);
  return result;
}

void CLexicon::LoadHkcs() {
  hkcsCount_ = 0;
  if (LoadWhole(DataFolder() / kHkcsFile, hkcs_) == Load::kLoaded) {
    hkcsCount_ = static_cast<std::int32_t>(hkcs_->size() / kHkcsRecordSize);
  }
}

void CLexicon::LoadLexicon(const LexiconSettings& settings) {
  FreeLexicon();
  scriptFlag_ = settings.scriptFlag;
  comptb02_ = settings.comptb02;
  userzc_ = settings.userzc;

  xorMask_ = {};
  if (userzc_ &&
      LoadWhole(BaseFolder(ports_.folders) / kProfessionIndexFile, profession_) == Load::kLoaded) {
    if (const auto index = formats::ProfessionIndex::Parse(*profession_)) xorMask_ = index->mask();
  }
  LoadWhole(BaseFolder(ports_.folders) / kCharacterNumbersFile, characterNumbers_);

  switch (LoadMainIndex()) {
    case Load::kCannotOpen:
      Show("加载字词码本索引文件失败,请重新安装本软件", "");
      break;
    case Load::kOutOfMemory:
      Show(kOutOfMemory, "加载字词码本索引文件");
      break;
    case Load::kLoaded:
      switch (LoadWhole(DataFolder() / kAssociationIndexFile, association_)) {
        case Load::kCannotOpen:
          Show("加载联想码本索引文件失败,请重新安装本软件", "");
          break;
        case Load::kOutOfMemory:
          Show(kOutOfMemory, "加载联想码本索引文件");
          break;
        case Load::kLoaded:
          break;
      }
      LoadHkcs();
      break;
  }

  try {
    cache_.assign(formats::kReadCacheSize, 0);
  } catch (const std::bad_alloc&) {
    cache_.clear();
    Show(kOutOfMemory, "申请Cache内存");
  }
}

void CLexicon::ReloadLexicon() {
  mainIndex_.reset();
  association_.reset();
  hkcs_.reset();
  hkcsCount_ = 0;

  const auto report = [this](Load result) {
    if (result == Load::kCannotOpen) Show("加载码本文件失败,请重新安装本软件", "");
    if (result == Load::kOutOfMemory) Show(kOutOfMemory, "");
    return result == Load::kLoaded;
  };
  if (!report(LoadMainIndex())) return;
  report(LoadWhole(DataFolder() / kAssociationIndexFile, association_));
  LoadHkcs();
}

void CLexicon::FreeLexicon() {
  mainIndex_.reset();
  association_.reset();
  profession_.reset();
  hkcs_.reset();
  hkcsCount_ = 0;
  characterNumbers_.reset();
  cache_ = {};
}

bool CLexicon::CheckReload(const LexiconSettings& current) {
  if (current.scriptFlag == scriptFlag_ && current.comptb02 == comptb02_) return false;
  scriptFlag_ = current.scriptFlag;
  comptb02_ = current.comptb02;
  ReloadLexicon();
  return true;
}

bool CLexicon::EnsureMainIndex() {
  if (!mainIndex_) LoadMainIndex();
  return mainIndex_.has_value();
}

std::optional<formats::BookRange> CLexicon::RangeOf(formats::Book book, std::string_view code) {
  const bool chars = book == formats::Book::kCharacters;
  const std::size_t maxLength = chars ? formats::kMaxCharCodeLength : formats::kMaxWordCodeLength;
  if (!formats::IsCode(code, maxLength, true) || !EnsureMainIndex()) return std::nullopt;
  const auto buckets = formats::BucketsOf(code);
  if (!buckets) return std::nullopt;

  formats::BookRange range;
  if (buckets->wholeBook) {
    const auto file = ports_.books.Open(DataFolder() / (chars ? kCharBookFile : kWordBookFile));
    if (!file) return std::nullopt;
    const auto size = file->Size();
    if (!size) return std::nullopt;
    range = formats::WholeBookRange(*size);
  } else {
    range = mainIndex_->Range(book, buckets->span);
  }
  if (range.length == 0) return std::nullopt;
  return range;
}

std::size_t CLexicon::ScanChars(std::string_view code, const CharSink& sink) {
  if (cache_.empty()) return 0;
  const auto range = RangeOf(formats::Book::kCharacters, code);
  if (!range) return 0;
  const auto book = ports_.books.Open(DataFolder() / kCharBookFile);
  if (!book || !book->Seek(range->offset)) return 0;
  // The character book is built to fit the cache; a damaged index that claims more is cut.
  const std::size_t wanted =
      static_cast<std::size_t>(std::min<std::uint64_t>(range->length, cache_.size()));
  const auto count = book->Read(std::span(cache_).first(wanted));
  if (!count) {
    Show(kReadFailed, "检索汉字");
    return 0;
  }

  const bool wildcard = formats::HasWildcard(code);
  std::size_t passed = 0;
  formats::RecordReader records(formats::EntryLayout::kCharacter,
                                std::span<const std::uint8_t>(cache_).first(*count));
  while (const auto record = records.Next()) {
    if (!formats::MatchesCode(code, record->code.view())) continue;
    formats::CharEntryReader entries(record->entries);
    while (const auto entry = entries.Next()) {
      ++passed;
      const CharHit hit{entry->character, entry->sortKey, {record->packed[0], record->packed[1]}};
      if (sink(hit) == ScanStep::kStop) return passed;
    }
    if (!wildcard) break;
  }
  return passed;
}

std::size_t CLexicon::ScanWords(std::string_view code, const WordSink& sink) {
  if (cache_.empty()) return 0;
  const auto range = RangeOf(formats::Book::kWords, code);
  if (!range) return 0;
  const auto book = ports_.books.Open(DataFolder() / kWordBookFile);
  if (range->length >= cache_.size()) {
    if (!book) {
      Show("开词组文件失败!", "模糊检索");
      return 0;
    }
    return ScanWordsChunked(*book, *range, code, sink);
  }
  if (!book || !book->Seek(range->offset)) return 0;
  const auto count = book->Read(std::span(cache_).first(static_cast<std::size_t>(range->length)));
  if (!count) {
    Show(kReadFailed, "检索词组");
    return 0;
  }

  const bool wildcard = formats::HasWildcard(code);
  std::size_t passed = 0;
  formats::RecordReader records(formats::EntryLayout::kWord,
                                std::span<const std::uint8_t>(cache_).first(*count));
  while (const auto record = records.Next()) {
    if (!formats::MatchesCode(code, record->code.view())) continue;
    const RecordOutcome outcome = OfferWordEntries(*record, sink);
    passed += outcome.passed;
    if (outcome.stop || !wildcard) break;
  }
  return passed;
}

std::size_t CLexicon::ScanWordsChunked(platform::OpenBook& book, formats::BookRange range,
                                       std::string_view code, const WordSink& sink) {
  const bool wildcard = formats::HasWildcard(code);
  std::size_t passed = 0;
  std::uint64_t consumed = 0;
  while (consumed < range.length) {
    if (!book.Seek(range.offset + consumed)) break;
    const std::size_t chunk =
        static_cast<std::size_t>(std::min<std::uint64_t>(cache_.size(), range.length - consumed));
    const auto count = book.Read(std::span(cache_).first(chunk));
    if (!count) {
      Show(kReadFailed, "检索词组带问号");
      break;
    }
    // A short read means the book ends before the index says: what it holds is the last chunk.
    const bool last = *count < chunk || consumed + *count == range.length;
    formats::RecordReader records(formats::EntryLayout::kWord,
                                  std::span<const std::uint8_t>(cache_).first(*count));
    std::size_t next = 0;
    while (const auto record = records.Next()) {
      if (formats::MatchesCode(code, record->code.view())) {
        const RecordOutcome outcome = OfferWordEntries(*record, sink);
        passed += outcome.passed;
        if (outcome.stop || !wildcard) return passed;
      }
      if (!last && records.position() + kChunkReserve > *count) {
        next = records.position();
        break;
      }
    }
    // Without a restart point inside a full chunk, a record ran past the chunk: it is longer
    // than any valid record, so the book is damaged from here on.
    if (last || next == 0) break;
    consumed += next;
  }
  return passed;
}

std::size_t CLexicon::CharTotal() const {
  return static_cast<std::size_t>(counters[kBookChars] + counters[kProfessionChars] +
                                  counters[kUserChars]);
}

std::size_t CLexicon::WordTotal() const {
  return static_cast<std::size_t>(counters[kBookWords] + counters[kProfessionWords] +
                                  counters[kUserWords]);
}

std::u16string_view ResultSlot::text() const {
  const auto end = std::find(units.begin(), units.end(), u'\0');
  return {units.data(), static_cast<std::size_t>(end - units.begin())};
}

namespace {

bool Holds(std::span<const ResultSlot> slots, std::size_t count, std::u16string_view text) {
  return std::any_of(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(count),
                     [&](const ResultSlot& slot) { return slot.text() == text; });
}

template <typename Before>
void ExchangeSort(std::span<ResultSlot> slots, std::span<std::uint16_t> keys, std::size_t first,
                  std::size_t count, Before before) {
  const std::size_t end = std::min({first + count, slots.size(), keys.size()});
  for (std::size_t pass = end; pass > first + 1; --pass) {
    for (std::size_t i = first; i + 1 < pass; ++i) {
      if (before(slots[i + 1], keys[i + 1], slots[i], keys[i])) {
        std::swap(slots[i], slots[i + 1]);
        std::swap(keys[i], keys[i + 1]);
      }
    }
  }
}

}  // namespace

std::size_t SearchChars(CLexicon& lexicon, const LexiconSettings& current, std::string_view code,
                        std::span<ResultSlot> slots) {
  lexicon.CheckReload(current);
  const bool wildcard = formats::HasWildcard(code);
  lexicon.wildcardFlag = wildcard ? 1 : 0;
  if (lexicon.CharTotal() >= kMaxResults) return 0;
  std::size_t kept = 0;
  lexicon.ScanChars(code, [&](const CharHit& hit) {
    const std::size_t total = lexicon.CharTotal();
    if (!slots.empty()) {
      if (total >= slots.size()) return ScanStep::kStop;
      const char16_t text[] = {hit.character};
      if (Holds(slots, total, {text, 1})) return ScanStep::kContinue;
      ResultSlot& slot = slots[total];
      slot = {};
      slot.units[0] = hit.character;
      slot.units[2] =
          wildcard ? static_cast<char16_t>(hit.codeBytes[0] << 8 | hit.codeBytes[1]) : kNoCodeHint;
      if (wildcard) lexicon.sortKeys[total] = hit.sortKey;
    }
    ++lexicon.counters[CLexicon::kBookChars];
    ++kept;
    return lexicon.CharTotal() >= kMaxResults ? ScanStep::kStop : ScanStep::kContinue;
  });
  return kept;
}

std::size_t SearchWords(CLexicon& lexicon, const LexiconSettings& current, std::string_view code,
                        std::span<ResultSlot> slots) {
  lexicon.CheckReload(current);
  lexicon.wildcardFlag = formats::HasWildcard(code) ? 1 : 0;
  if (lexicon.WordTotal() >= kMaxResults) return 0;
  std::size_t kept = 0;
  lexicon.ScanWords(code, [&](const formats::WordEntry& entry) {
    const std::size_t total = lexicon.WordTotal();
    if (!slots.empty()) {
      if (total >= slots.size()) return ScanStep::kStop;
      const std::u16string text = entry.Text();
      if (Holds(slots, total, text)) return ScanStep::kContinue;
      ResultSlot& slot = slots[total];
      slot = {};
      std::copy(text.begin(), text.end(), slot.units.begin());
      lexicon.sortKeys[total] = entry.sortKey;
    }
    ++lexicon.counters[CLexicon::kBookWords];
    ++kept;
    return lexicon.WordTotal() >= kMaxResults ? ScanStep::kStop : ScanStep::kContinue;
  });
  return kept;
}

void SortCharsByKey(std::span<ResultSlot> slots, std::span<std::uint16_t> keys, std::size_t first,
                    std::size_t count) {
  ExchangeSort(slots, keys, first, count,
               [](const ResultSlot&, std::uint16_t keyA, const ResultSlot&, std::uint16_t keyB) {
                 return keyA < keyB;
               });
}

void SortWordsByLengthAndKey(std::span<ResultSlot> slots, std::span<std::uint16_t> keys,
                             std::size_t first, std::size_t count) {
  ExchangeSort(
      slots, keys, first, count,
      [](const ResultSlot& a, std::uint16_t keyA, const ResultSlot& b, std::uint16_t keyB) {
        const std::size_t lengthA = a.text().size();
        const std::size_t lengthB = b.text().size();
        return lengthA != lengthB ? lengthA < lengthB : keyA > keyB;
      });
}

}  // namespace ime
