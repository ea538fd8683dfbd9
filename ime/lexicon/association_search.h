#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "ime/lexicon/lexicon.h"
#include "platform/ports/book_reader.h"

#include "ime/lexicon/cand_list.h"

namespace ime {

// What an association search reads and where it leaves its results: the lookup object's
// lexicon, slots and list. The slots keep the results until the next lookup; at most 990 of
// each kind are collected, fewer when a span is shorter.
struct AssociationTarget {
  CLexicon& lexicon;
  const platform::BookReader& books;
  std::span<ResultSlot> charSlots;
  std::span<ResultSlot> wordSlots;
  CandList& list;
};

// The configuration values read at every association search.
struct AssociationSettings {
  LexiconSettings lexicon;  // for the reload check
  int mamode = 1;           // 1 characters first, 2 words first, 3 mixed pages
};

// Triggers of ListAssociations.
inline constexpr char16_t kAssociateCharsFirst = u'/';
inline constexpr char16_t kAssociateWordsFirst = u'*';
inline constexpr char16_t kAssociateByMode = 0;

// Builds the list of what may follow the committed `text`: one-unit follow-ons in block order,
// longer ones shorter first. A number in Chinese numerals or full-width digits with no
// follow-ons gets the fixed measure words and units instead. The list is always reset.
CandList& ListAssociations(const AssociationTarget& target, const AssociationSettings& settings,
                           std::u16string_view text, char16_t trigger);

// Every stored word that holds `text` after its first character, shorter first, then by the
// character number of its first unit, then by code units. Null, with the list untouched, when
// nothing is found.
CandList* FindWordsContaining(const AssociationTarget& target, const AssociationSettings& settings,
                              std::u16string_view text);

// Whether `text` counts as a number after which measure words are offered.
bool IsAssociationNumber(std::u16string_view text);

}  // namespace ime
