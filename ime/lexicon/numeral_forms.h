#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ime/lexicon/cand_list.h"
#include "platform/ports/clock.h"

namespace ime {

// Styles of ConvertNumber.
enum NumeralStyle : int {
  kNumeralLower = 1,      // 三百○五
  kNumeralFinancial = 2,  // 叁佰零伍
  kNumeralDigits = 3,     // 三○五
};

// Entry i is the full-width form of the character 0x20 + i, as in the settings record.
using FullWidthTable = std::array<char16_t, 95>;

// Chinese numerals for 1 to 9 ASCII digits. Anything else, or an unknown style, gives an empty
// text.
std::u16string ConvertNumber(std::string_view digits, int style);

// Fills the list with the forms offered by the special search. `input` is the special code:
// the key that opened the search followed by the digits typed since. The key alone gives
// today's date forms, arranged as `mamode` says; digits give numeral, full-width, month, day
// and year forms, left in the order added. Input that is not a key followed by at most nine
// digits leaves the list empty.
CandList& ListDateForms(CandList& list, std::u16string_view input, int mamode,
                        const FullWidthTable& fullWidth, const platform::Clock& clock);

}  // namespace ime
