#include "common/formats/unicode_text.h"

#include <gtest/gtest.h>

namespace {

TEST(UnicodeTextTest, RoundTripsEveryPlane) {
  const std::u16string text = u"a中～\U00020000\uE000";
  const std::string utf8 = formats::Utf16ToUtf8(text);
  EXPECT_EQ(utf8, "a\xE4\xB8\xAD\xEF\xBD\x9E\xF0\xA0\x80\x80\xEE\x80\x80");
  EXPECT_EQ(formats::Utf8ToUtf16(utf8), text);
}

TEST(UnicodeTextTest, RefusesMalformedUtf8) {
  for (std::string_view bad :
       {"\x80", "\xE4\xB8", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", "a\xE4"}) {
    EXPECT_FALSE(formats::Utf8ToUtf16(bad)) << bad.size();
  }
  EXPECT_EQ(formats::Utf8ToUtf16(""), u"");
}

TEST(UnicodeTextTest, ReplacesUnpairedSurrogates) {
  const std::u16string lone = {u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
  EXPECT_EQ(formats::Utf16ToUtf8(lone),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

}  // namespace
