#include "platform/sim/iconv_code_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::IconvCodePages;
using platform::kAnsiCodePage;
using platform::Unconvertible;

constexpr Unconvertible kFail = Unconvertible::kFail;

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(IconvCodePagesTest, ConvertsBothWaysInGbkAndBig5) {
  const IconvCodePages codePages(936);
  const struct {
    unsigned codePage;
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {936, u"中国a1",
       "\xD6\xD0\xB9\xFA"
       "a1"},
      {936, u"\x20AC", "\x80"},  // the euro sign of the Windows code page
      {950, u"中國", "\xA4\xA4\xB0\xEA"},
      {65001, u"中", "\xE4\xB8\xAD"},
      {936, u"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(codePages.FromUtf16(c.codePage, c.text, kFail), Bytes(c.bytes)) << c.codePage;
    EXPECT_EQ(codePages.ToUtf16(c.codePage, Bytes(c.bytes), kFail), c.text) << c.codePage;
  }
}

TEST(IconvCodePagesTest, TheAnsiCodePageIsTheConfiguredOne) {
  const IconvCodePages gbk(936);
  const IconvCodePages big5(950);
  EXPECT_EQ(gbk.AnsiCodePage(), 936u);
  EXPECT_EQ(big5.AnsiCodePage(), 950u);
  EXPECT_EQ(gbk.FromUtf16(kAnsiCodePage, u"中", kFail), Bytes("\xD6\xD0"));
  EXPECT_EQ(big5.FromUtf16(kAnsiCodePage, u"中", kFail), Bytes("\xA4\xA4"));
  EXPECT_EQ(big5.ToUtf16(kAnsiCodePage, Bytes("\xA4\xA4"), kFail), u"中");
}

TEST(IconvCodePagesTest, UnconvertibleInputFailsOrIsReplaced) {
  const IconvCodePages codePages(950);
  // 国 (simplified) has no Big5 form; U+20000 is a pair; U+D800 is a lone surrogate.
  const std::u16string text = u"a国b\U00020000c\xD800";
  EXPECT_FALSE(codePages.FromUtf16(950, text, kFail));
  EXPECT_EQ(codePages.FromUtf16(950, text, Unconvertible::kReplace), Bytes("a?b?c?"));
  const auto bad = Bytes(
      "a\xFF"
      "b\xA4");  // an invalid byte, then a cut-off lead byte
  EXPECT_FALSE(codePages.ToUtf16(950, bad, kFail));
  EXPECT_EQ(codePages.ToUtf16(950, bad, Unconvertible::kReplace),
            u"a\xFFFD"
            u"b\xFFFD");
}

TEST(IconvCodePagesTest, UnknownCodePagesConvertNothing) {
  const IconvCodePages codePages(4242);
  EXPECT_FALSE(codePages.FromUtf16(kAnsiCodePage, u"a", kFail));
  EXPECT_FALSE(codePages.ToUtf16(kAnsiCodePage, Bytes("a"), Unconvertible::kReplace));
}

TEST(IconvCodePagesTest, LongTextsCrossTheInternalBuffer) {
  const IconvCodePages codePages(936);
  const std::u16string text(1000, u'中');
  const auto bytes = codePages.FromUtf16(936, text, kFail);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 2000u);
  EXPECT_EQ(codePages.ToUtf16(936, *bytes, kFail), text);
}

}  // namespace
