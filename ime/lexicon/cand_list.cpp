#include "ime/lexicon/cand_list.h"

#include <algorithm>

namespace ime {
namespace {

constexpr std::int32_t kTextAreaBytes = static_cast<std::int32_t>(sizeof(CandList::text));

// A page size below one would stop the paging and the page counts from making progress; the
// settings never produce one, but the fields are open to every caller.
int PerPage(std::int32_t value) {
  return value < 1 ? 1 : value;
}

// The stored text of entry `index`, whether or not it is visible. The offsets are checked
// against the text area, because the arrangement permutes them and callers may write them.
std::u16string_view StoredText(const CandList& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.textOffsets.size())) return {};
  const std::int32_t offset = list.textOffsets[static_cast<std::size_t>(index)];
  if (offset < 0 || offset % 2 != 0 || offset >= kTextAreaBytes) return {};
  const std::size_t first = static_cast<std::size_t>(offset) / 2;
  const std::u16string_view rest(list.text.data() + first, list.text.size() - first);
  return rest.substr(0, rest.find(u'\0'));
}

// Paging counts an empty text with the characters; the arrangement does not (see AddCandidate).
bool IsPageChar(const CandList& list, int index) {
  return StoredText(list, index).size() <= 1;
}

struct Entry {
  std::int32_t offset;
  std::uint16_t hint;
};

}  // namespace

void ResetCandList(CandList& list) {
  list.keyInfo = 0;
  list.pageFirst = 0;
  list.pageNo = 1;
  list.count = 0;
  list.wordCount = 0;
  list.charCount = 0;
  list.arrangement = kNotArranged;
  list.moreCount = 0;
  list.textOffsets[0] = 0;
}

bool AddCandidate(CandList& list, std::u16string_view text, std::uint16_t hint) {
  text = text.substr(0, text.find(u'\0'));
  if (list.count < 0 || list.count >= kMaxCandidates) return false;
  if (text.size() > kMaxCandTextUnits) return false;
  const auto index = static_cast<std::size_t>(list.count);
  const std::int32_t offset = list.textOffsets[index];
  const auto units = static_cast<std::int32_t>(text.size());
  if (offset < 0 || offset % 2 != 0 || offset + 2 * units + 2 > kCandTextBytes) return false;

  list.codeHints[index] = hint;
  char16_t* out = list.text.data() + offset / 2;
  std::copy(text.begin(), text.end(), out);
  out[units] = u'\0';
  list.textOffsets[index + 1] = offset + 2 * units + 2;
  ++list.count;
  if (units == 1) {
    ++list.charCount;
  } else {
    ++list.wordCount;
  }
  return true;
}

bool ArrangeCandidates(CandList& list, int type) {
  const int chars = list.charCount;
  const int words = list.wordCount;
  if (chars == 0 || words == 0) {
    if (type == kMixedPages) {
      list.arrangement = kMixedPages;
    } else {
      list.arrangement = chars == 0 ? kWordsFirst : kCharsFirst;
    }
    return false;
  }

  if (type == kCharsFirst || type == kWordsFirst || type == kMixedPages) {
    const int total = std::min(chars + words, kMaxCandidates);
    // Characters first, each kind in its present order: the starting point of every type.
    std::array<Entry, kMaxCandidates> sorted;
    int charsSeen = 0;
    for (int pass = 0; pass < 2; ++pass) {
      int out = pass == 0 ? 0 : charsSeen;
      for (int i = 0; i < total; ++i) {
        const bool oneUnit = StoredText(list, i).size() == 1;
        if (oneUnit != (pass == 0)) continue;
        const auto at = static_cast<std::size_t>(i);
        sorted[static_cast<std::size_t>(out++)] = {list.textOffsets[at], list.codeHints[at]};
      }
      if (pass == 0) charsSeen = out;
    }
    const int wordsSeen = total - charsSeen;

    int next = 0;
    auto place = [&](int from) {
      const auto at = static_cast<std::size_t>(next++);
      list.textOffsets[at] = sorted[static_cast<std::size_t>(from)].offset;
      list.codeHints[at] = sorted[static_cast<std::size_t>(from)].hint;
    };
    if (type == kCharsFirst) {
      for (int i = 0; i < total; ++i) place(i);
      list.count = std::min(chars, total);
    } else if (type == kWordsFirst) {
      for (int i = charsSeen; i < total; ++i) place(i);
      for (int i = 0; i < charsSeen; ++i) place(i);
      list.count = std::min(words, total);
    } else {
      const int charsPerPage = PerPage(list.charsPerPage);
      const int wordsPerPage = PerPage(list.wordsPerPage);
      int placedChars = 0;
      int placedWords = 0;
      while (placedChars < charsSeen || placedWords < wordsSeen) {
        if (placedChars < charsSeen) {
          do {
            place(placedChars++);
          } while (placedChars % charsPerPage != 0 && placedChars < charsSeen);
        }
        if (placedWords < wordsSeen) {
          do {
            place(charsSeen + placedWords++);
          } while (placedWords % wordsPerPage != 0 && placedWords < wordsSeen);
        }
      }
      list.count = total;
    }
  }

  list.pageFirst = 0;
  list.pageNo = 1;
  list.arrangement = type;
  return true;
}

namespace {

// How many characters (`chars`) and then words (`words`) the current page holds.
struct PageWalk {
  int chars = 0;
  int words = 0;
};

PageWalk WalkPage(const CandList& list) {
  PageWalk walk;
  int j = list.pageFirst;
  if (j >= 0 && j < list.count && IsPageChar(list, j)) {
    while (walk.chars < PerPage(list.charsPerPage) && j < list.count) {
      ++j;
      ++walk.chars;
      if (j < list.count && !IsPageChar(list, j)) break;
    }
  }
  if (j >= 0 && j < list.count && !IsPageChar(list, j)) {
    while (walk.words < PerPage(list.wordsPerPage) && j < list.count) {
      ++j;
      ++walk.words;
      if (j < list.count && IsPageChar(list, j)) break;
    }
  }
  return walk;
}

}  // namespace

int NextPage(CandList& list) {
  const PageWalk walk = WalkPage(list);
  const int next = list.pageFirst + walk.chars + walk.words;
  if (next >= list.count) return list.pageFirst;
  list.pageFirst = next;
  if (walk.chars + walk.words > 0) ++list.pageNo;
  return next;
}

bool IsLastPage(const CandList& list) {
  const PageWalk walk = WalkPage(list);
  return list.pageFirst + walk.chars + walk.words >= list.count;
}

int PrevPage(CandList& list) {
  int words = 0;
  int chars = 0;
  int j = std::min(list.pageFirst, list.count) - 1;
  while (j >= 0 && !IsPageChar(list, j) && words < PerPage(list.wordsPerPage)) {
    ++words;
    --j;
  }
  while (j >= 0 && IsPageChar(list, j) && chars < PerPage(list.charsPerPage)) {
    ++chars;
    --j;
  }
  const int previous = list.pageFirst - words - chars;
  if (previous < 0) {
    list.pageFirst = 0;
    list.pageNo = 1;
  } else {
    list.pageFirst = previous;
    if (words + chars > 0) --list.pageNo;
  }
  return list.pageFirst;
}

int FirstWordOnPage(const CandList& list) {
  const int first = std::max(list.pageFirst, 0);
  const int end = std::min(first + PerPage(list.charsPerPage) + PerPage(list.wordsPerPage),
                           std::min(list.count, kMaxCandidates));
  for (int i = first; i < end; ++i) {
    if (!IsPageChar(list, i)) return i;
  }
  return -1;
}

namespace {

int PagesOf(const CandList& list, bool chars, int perPage) {
  int n = 0;
  const int visible = std::min(list.count, kMaxCandidates);
  for (int i = 0; i < visible; ++i) {
    if (IsPageChar(list, i) == chars) ++n;
  }
  return (n + perPage - 1) / perPage;
}

}  // namespace

int CharPageCount(const CandList& list) {
  return PagesOf(list, true, PerPage(list.charsPerPage));
}

int WordPageCount(const CandList& list) {
  return PagesOf(list, false, PerPage(list.wordsPerPage));
}

std::u16string_view CandidateText(const CandList& list, int index) {
  if (index < 0 || index >= std::min(list.count, kMaxCandidates)) return {};
  return StoredText(list, index);
}

std::uint16_t CandidateHint(const CandList& list, int index) {
  if (index < 0 || index >= std::min(list.count, kMaxCandidates)) return kNoCodeHint;
  return list.codeHints[static_cast<std::size_t>(index)];
}

}  // namespace ime
