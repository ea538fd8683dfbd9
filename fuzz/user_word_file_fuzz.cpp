// "ZDYgbk.TXT" in GBK or Big5: every line, every entry, and the entries written and read again.
#include <vector>

#include "common/formats/user_word_file.h"
#include "fuzz/fuzz_check.h"
#include "platform/sim/iconv_code_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const platform::IconvCodePages codePages((data[0] & 1) ? 950 : 936);
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);

  formats::UserWordLineReader lines(bytes);
  std::size_t end = 0;
  while (const auto line = lines.Next()) {
    FUZZ_CHECK(line->offset >= end && line->offset + line->size <= bytes.size());
    FUZZ_CHECK(line->size <= formats::kMaxUserLineSize && line->code.size() <= 6);
    end = line->offset + line->size;
  }
  formats::UserWordReader reader(bytes, codePages);
  std::vector<formats::UserWordData> words;
  while (const auto word = reader.Next()) {
    FUZZ_CHECK(!word->code.empty() && !word->word.empty() && word->word.size() <= 49);
    words.push_back({word->code, word->word});
  }
  if (const auto length = formats::UserWordListLength(bytes)) FUZZ_CHECK(*length <= bytes.size());

  const auto written = formats::WriteUserWordList(words, codePages, platform::kAnsiCodePage);
  if (!written) return 0;
  formats::UserWordReader again(*written, codePages);
  for (const auto& word : words) {
    const auto back = again.Next();
    FUZZ_CHECK(back && back->code == word.code && back->word == word.word);
  }
  FUZZ_CHECK(!again.Next());
  FUZZ_CHECK(formats::UserWordListLength(*written) == written->size());
  return 0;
}
