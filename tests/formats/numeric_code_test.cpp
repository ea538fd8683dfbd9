#include "common/formats/numeric_code.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using formats::BucketSpan;
using formats::PackedCode;
using formats::PatternBuckets;

TEST(NumericCodeTest, BucketsFollowTheFirstThreeDigits) {
  const struct {
    const char* code;
    std::size_t bucket;
  } cases[] = {
      {"5", 605}, {"52", 638}, {"527", 646}, {"5271", 646}, {"527999", 646}, {"0", 0},
      {"00", 11}, {"000", 12}, {"09", 110},  {"999", 1209}, {"9", 1089},     {"527?", 646},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formats::BucketOf(c.code), c.bucket) << c.code;
  }
  for (const char* bad : {"", "?", "1?", "5?7", "a", "52x"}) {
    EXPECT_FALSE(formats::BucketOf(bad)) << bad;
  }
}

TEST(NumericCodeTest, PacksHighHalfFirstAndEndsWithF) {
  const struct {
    const char* digits;
    PackedCode packed;
  } cases[] = {
      {"5", {0x5F, 0xFF, 0xFF}},    {"52", {0x52, 0xFF, 0xFF}},    {"527", {0x52, 0x7F, 0xFF}},
      {"5271", {0x52, 0x71, 0xFF}}, {"01234", {0x01, 0x23, 0x4F}}, {"123456", {0x12, 0x34, 0x56}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formats::PackCode(c.digits), c.packed) << c.digits;
    EXPECT_EQ(formats::UnpackCode(c.packed).view(), c.digits);
  }
  for (const char* bad : {"", "1234567", "12?", "-1", "12 "}) {
    EXPECT_FALSE(formats::PackCode(bad)) << bad;
  }
}

TEST(NumericCodeTest, UnpackStopsAtTheFirstEndMark) {
  // Whatever follows the first 0xF half-byte is not part of the code.
  EXPECT_EQ(formats::UnpackCode(PackedCode{0x5F, 0x12, 0x34}).view(), "5");
  EXPECT_EQ(formats::UnpackCode(PackedCode{0xF1, 0x23, 0x45}).view(), "");
  // Half-bytes A..E are no digits and must never equal a typed digit.
  const auto odd = formats::UnpackCode(PackedCode{0x5A, 0xFF, 0xFF});
  EXPECT_EQ(odd.view(), "5:");
  EXPECT_FALSE(formats::MatchesCode("50", odd.view()));
}

TEST(NumericCodeTest, MatchesExactlyOrByWildcardOfTheSameLength) {
  const struct {
    const char* pattern;
    const char* record;
    bool match;
  } cases[] = {
      {"527", "527", true}, {"527", "5271", false}, {"5271", "527", false}, {"5?", "52", true},
      {"5?", "5", false},   {"5?", "527", false},   {"?2", "52", true},     {"?2", "53", false},
      {"1?3", "123", true}, {"52?", "527", true},   {"527?", "5271", true}, {"527?", "5281", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formats::MatchesCode(c.pattern, c.record), c.match) << c.pattern << " " << c.record;
  }
}

TEST(NumericCodeTest, PatternsReadTheBucketsTheirFixedDigitsAllow) {
  EXPECT_EQ(formats::BucketsOf("5"), (PatternBuckets{{605, 605}, false}));
  EXPECT_EQ(formats::BucketsOf("5271"), (PatternBuckets{{646, 646}, false}));
  EXPECT_EQ(formats::BucketsOf("5?"), (PatternBuckets{{605, 725}, false}));
  EXPECT_EQ(formats::BucketsOf("5??1"), (PatternBuckets{{605, 725}, false}));
  EXPECT_EQ(formats::BucketsOf("52?"), (PatternBuckets{{638, 648}, false}));
  EXPECT_EQ(formats::BucketsOf("527?"), (PatternBuckets{{646, 646}, false}));
  EXPECT_EQ(formats::BucketsOf("?2"), (PatternBuckets{{0, 1209}, true}));
  for (const char* bad : {"", "1234567", "5a", " 5"}) {
    EXPECT_FALSE(formats::BucketsOf(bad)) << bad;
  }
}

TEST(NumericCodeTest, CodeLengthsPerBook) {
  EXPECT_TRUE(formats::IsCode("1234", formats::kMaxCharCodeLength, false));
  EXPECT_FALSE(formats::IsCode("12345", formats::kMaxCharCodeLength, false));
  EXPECT_TRUE(formats::IsCode("12345?", formats::kMaxWordCodeLength, true));
  EXPECT_FALSE(formats::IsCode("12345?", formats::kMaxWordCodeLength, false));
  EXPECT_TRUE(formats::HasWildcard("1?"));
  EXPECT_FALSE(formats::HasWildcard("12"));
}

}  // namespace
