#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/temp_dir.h"
#include "tools/data_compiler/data_dump.h"
#include "tools/data_compiler/data_set_compiler.h"

namespace {

using testing_support::TempDir;

const std::filesystem::path kBase = std::filesystem::path("lurn") / "KUZ2011_CHT";

class DataCompilerTest : public ::testing::Test {
 protected:
  DataCompilerTest() {
    Write("base/codes.txt",
          "# header\nU+4E2D\t中\t5000,5001\t0\t-\t9\t1\nU+56FD\t国\t6010\t0\t-\t5\t3\n"
          "U+6587\t文\t0040\t1\t紋\t4\t2\n");
    Write("base/profession.txt", "500601\t中国炎\t2\t0\tst\n");
    Write(
        "KUZ2011_chs/chars.txt",
        "0040\t文\t3\t4\t0\t-\n5000\t中\t1\t9\t0\t-\n5000\t忠\t7\t1\t0\t-\n6010\t国\t2\t5\t0\t-\n");
    Write("KUZ2011_chs/words.txt",
          "004500\t文中\t5\t0\n500004\t中文\t6\t2\n500601\t中国\t9\t0\n500601\t中国人\t4\t0\n");
    Write("KUZ2011_chs/symbols.txt", "U+3001\t、\nU+2116\t№\n");
    Write("KUZ2011_chs/hkcs.txt", "U+E000\tU+20000\t\xF0\xA0\x80\x80\t8E40\n");
  }

  void Write(const std::string& name, const std::string& text) {
    const auto file = dir.path() / "src" / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  }

  // The dump of one compiled file, after writing the set below the drive root.
  std::string Dump(const std::filesystem::path& relative) {
    const auto compiled = data_compiler::CompileDataSet(dir.path() / "src");
    EXPECT_FALSE(compiled.error) << compiled.error->ToString();
    EXPECT_FALSE(data_compiler::WriteDataFiles(compiled.files, dir.path() / "root"));
    std::string error;
    const auto text = data_compiler::DumpDataFile(dir.path() / "root" / kBase / relative, error);
    EXPECT_TRUE(text) << error;
    return text.value_or("");
  }

  std::string CompileError() {
    const auto compiled = data_compiler::CompileDataSet(dir.path() / "src");
    EXPECT_TRUE(compiled.error);
    EXPECT_TRUE(compiled.files.empty());
    return compiled.error ? compiled.error->ToString() : "";
  }

  TempDir dir;
};

TEST_F(DataCompilerTest, BooksDumpBackToTheirSources) {
  EXPECT_EQ(
      Dump("KUZ2011_chs/lurnsmz.mb"),
      "0040\t文\t3\t0\t0\t-\n5000\t中\t1\t0\t0\t-\n5000\t忠\t7\t0\t0\t-\n6010\t国\t2\t0\t0\t-\n");
  EXPECT_EQ(Dump("KUZ2011_chs/lurnsmc.mb"),
            "004500\t文中\t5\t0\n500004\t中文\t6\t2\n500601\t中国\t9\t0\n500601\t中国人\t4\t0\n");
  EXPECT_EQ(Dump("ProfessionCi.MB"), "500601\t中国炎\t2\t0\tst\n");
  EXPECT_EQ(Dump("KUZ2011_chs/pround.dat"), "U+3001\t、\nU+2116\t№\n");
  EXPECT_EQ(Dump("KUZ2011_chs/HKCS.mb"), "U+E000\tU+20000\t\xF0\xA0\x80\x80\t-\n");
  EXPECT_EQ(Dump("hkcs.cct"),
            "U+4E2D\t中\t5000,5001\t0\t-\t0\t0\nU+56FD\t国\t6010\t0\t-\t0\t0\n"
            "U+6587\t文\t0040\t1\t-\t0\t0\n");
  EXPECT_EQ(Dump("FtAutoZIndex.dat"), "U+4E2D\t中\t5000\nU+56FD\t国\t6010\nU+6587\t文\t0040\n");
  EXPECT_EQ(Dump("gbkhznum.mb"), "U+4E2D\t中\t1\nU+56FD\t国\t3\nU+6587\t文\t2\n");
}

TEST_F(DataCompilerTest, AssociationsFollowTheFirstCharacterMostFrequentFirst) {
  EXPECT_EQ(Dump("KUZ2011_chs/lurnsmlx.mb"), "中\t国\t9\n中\t文\t6\n中\t国人\t4\n文\t中\t5\n");
}

TEST_F(DataCompilerTest, SourceErrorsNameTheFileAndLine) {
  Write("KUZ2011_chs/chars.txt", "# c\n0040\t文\t3\t4\t0\t-\n50001\t中\t1\t9\t0\t-\n");
  EXPECT_NE(CompileError().find("chars.txt:3: code '50001' is not 1 to 4 digits"),
            std::string::npos);
  Write("KUZ2011_chs/chars.txt", "0040\t文\t3\t4\t0\n");
  EXPECT_NE(CompileError().find("chars.txt:1: expected 6 fields, found 5"), std::string::npos);
  Write("KUZ2011_chs/chars.txt", "0040\t文\t65535\t4\t0\t-\n");
  EXPECT_NE(CompileError().find("chars.txt:1: key"), std::string::npos);
  Write("KUZ2011_chs/chars.txt", "0040\t文\t3\t4\t0\t-\n");
  Write("KUZ2011_chs/words.txt", "5006\t" + std::string(50, 'x') + "\t1\t0\n");
  EXPECT_NE(CompileError().find("words.txt:1: text must be 1 to 49"), std::string::npos);
  Write("KUZ2011_chs/words.txt", "5006\t\xE4\xB8\t1\t0\n");
  EXPECT_NE(CompileError().find("words.txt:1: text is not UTF-8"), std::string::npos);
}

TEST_F(DataCompilerTest, RecordsTheWritersRefuseStopTheCompile) {
  // One code split into two records cannot be stored: an exact lookup stops at the first.
  Write("KUZ2011_chs/words.txt", "500601\t中国\t9\t0\n004500\t文中\t5\t0\n500601\t中国人\t4\t0\n");
  EXPECT_NE(CompileError().find("words.txt: "), std::string::npos);
}

TEST_F(DataCompilerTest, AFailedCompileLeavesTheOldDataSetAlone) {
  const auto compiled = data_compiler::CompileDataSet(dir.path() / "src");
  ASSERT_FALSE(data_compiler::WriteDataFiles(compiled.files, dir.path() / "root"));
  const auto book = dir.path() / "root" / kBase / "KUZ2011_chs" / "lurnsmz.mb";
  const auto before = std::filesystem::file_size(book);
  Write("KUZ2011_chs/chars.txt", "0040\t文\t3\t4\t0\t-\nxx\t中\t1\t9\t0\t-\n");
  CompileError();
  EXPECT_EQ(std::filesystem::file_size(book), before);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path() / "root")) {
    EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
  }
}

}  // namespace
