#include "ime/lexicon/numeral_forms.h"

#include <string>

namespace ime {
namespace {

constexpr std::size_t kMaxNumeralDigits = 9;

constexpr std::array<std::u16string_view, 10> kLowerDigits = {u"○",  u"一", u"二", u"三", u"四",
                                                              u"五", u"六", u"七", u"八", u"九"};
constexpr std::array<std::u16string_view, 10> kUpperDigits = {u"零", u"壹", u"贰", u"叁", u"肆",
                                                              u"伍", u"陆", u"柒", u"捌", u"玖"};

// Indexed by the position counted from the right. The large units keep their lower-case first
// character in both styles.
constexpr std::array<std::u16string_view, kMaxNumeralDigits> kLowerUnits = {
    u"个", u"十", u"百", u"千", u"万", u"十万", u"百万", u"千万", u"亿"};
constexpr std::array<std::u16string_view, kMaxNumeralDigits> kUpperUnits = {
    u"个", u"拾", u"佰", u"仟", u"万", u"十万", u"百万", u"千万", u"亿"};

constexpr std::array<std::u16string_view, 7> kWeekdays = {
    u"星期日", u"星期一", u"星期二", u"星期三", u"星期四", u"星期五", u"星期六"};

bool IsDigitString(std::string_view digits) {
  if (digits.empty() || digits.size() > kMaxNumeralDigits) return false;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::size_t DigitAt(std::string_view digits, std::size_t i) {
  return static_cast<std::size_t>(digits[i] - '0');
}

std::u16string WithUnits(std::string_view digits, const std::array<std::u16string_view, 10>& names,
                         const std::array<std::u16string_view, kMaxNumeralDigits>& units) {
  // Ten to nineteen read without the leading one: 十二, not 一十二.
  if (digits.size() == 2 && digits[0] == '1') {
    std::u16string text(units[1]);
    if (digits[1] != '0') text += names[DigitAt(digits, 1)];
    return text;
  }
  const std::size_t length = digits.size();
  std::u16string text(names[DigitAt(digits, 0)]);
  for (std::size_t i = 1; i < length; ++i) {
    // A unit is written after its digit only when the digit is not 0, and one zero mark stands
    // for a run of zeros that is followed by another digit.
    if (digits[i - 1] != '0') text += units[length - i];
    if (digits[i] == '0') {
      if (i + 1 < length && digits[i + 1] != '0') text += names[0];
    } else {
      text += names[DigitAt(digits, i)];
    }
  }
  return text;
}

std::u16string Ascii(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

// The forms of the date are built from the clock's numbers; a form whose numeral cannot be
// written is left out rather than shown as a bare suffix.
void AddNumeral(CandList& list, std::string_view digits, int style, std::u16string_view suffix) {
  std::u16string text = ConvertNumber(digits, style);
  if (text.empty()) return;
  text += suffix;
  AddCandidate(list, text, kNoCodeHint);
}

void AddTodaysForms(CandList& list, const platform::LocalDate& date) {
  const std::string year = std::to_string(date.year);
  const std::string month = std::to_string(date.month);
  const std::string day = std::to_string(date.day);
  AddCandidate(list, Ascii(year) + u"年", kNoCodeHint);
  AddCandidate(list, Ascii(month) + u"月", kNoCodeHint);
  AddCandidate(list, Ascii(day) + u"日", kNoCodeHint);
  if (date.weekday >= 0 && date.weekday < static_cast<int>(kWeekdays.size())) {
    AddCandidate(list, kWeekdays[static_cast<std::size_t>(date.weekday)], kNoCodeHint);
  }
  AddNumeral(list, day, kNumeralLower, u"日");
  AddNumeral(list, month, kNumeralLower, u"月");
  AddNumeral(list, year, kNumeralDigits, u"年");
}

void AddDigitForms(CandList& list, std::string_view digits, const FullWidthTable& fullWidth) {
  const bool leadingZero = digits[0] == '0';
  if (!leadingZero) {
    AddCandidate(list, ConvertNumber(digits, kNumeralLower), kNoCodeHint);
    AddCandidate(list, ConvertNumber(digits, kNumeralFinancial), kNoCodeHint);
  }
  std::u16string wide;
  for (const char c : digits) wide += fullWidth[static_cast<std::size_t>(c - 0x20)];
  AddCandidate(list, wide, kNoCodeHint);
  if (digits.size() >= 2) AddCandidate(list, ConvertNumber(digits, kNumeralDigits), kNoCodeHint);
  // A number written with a leading zero is a digit string, not a month, day or year.
  if (leadingZero) return;

  int n = 0;
  for (const char c : digits) n = n * 10 + (c - '0');
  if (n >= 1 && n <= 12) AddNumeral(list, digits, kNumeralLower, u"月");
  if (n >= 1 && n <= 31) AddNumeral(list, digits, kNumeralLower, u"日");
  if (n >= 1900 && n <= 2100) AddNumeral(list, digits, kNumeralDigits, u"年");
}

}  // namespace

std::u16string ConvertNumber(std::string_view digits, int style) {
  if (!IsDigitString(digits)) return {};
  switch (style) {
    case kNumeralLower:
      return WithUnits(digits, kLowerDigits, kLowerUnits);
    case kNumeralFinancial:
      return WithUnits(digits, kUpperDigits, kUpperUnits);
    case kNumeralDigits: {
      std::u16string text;
      for (std::size_t i = 0; i < digits.size(); ++i) text += kLowerDigits[DigitAt(digits, i)];
      return text;
    }
    default:
      return {};
  }
}

CandList& ListDateForms(CandList& list, std::u16string_view input, int mamode,
                        const FullWidthTable& fullWidth, const platform::Clock& clock) {
  ResetCandList(list);
  if (input.empty()) return list;
  if (input.size() == 1) {
    AddTodaysForms(list, clock.Today());
    ArrangeCandidates(list, mamode);
    return list;
  }

  std::string digits;
  for (const char16_t unit : input.substr(1)) {
    if (unit < u'0' || unit > u'9') return list;
    digits += static_cast<char>(unit);
  }
  if (!IsDigitString(digits)) return list;
  AddDigitForms(list, digits, fullWidth);
  return list;
}

}  // namespace ime
