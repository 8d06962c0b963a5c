#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "orqplatform/Exceptions.h"
#include "orqplatform/TextFile.h"

namespace orq {
namespace {

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "orq_textfile_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::remove(path_.c_str());
  }
  void TearDown() override { std::remove(path_.c_str()); }

  void WriteBytes(const std::string& bytes) {
    std::ofstream out(path_, std::ios::binary);
    out << bytes;
  }
  std::string ReadBytes() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string path_;  // the file used by the test
};

TEST(CodePage, ConvertsBothWaysAndMarksWhatItCannotRepresent) {
  EXPECT_EQ(Cp1252ToUtf8("a\xE4\x80\x9F"), "a\xC3\xA4\xE2\x82\xAC\xC5\xB8");  // a ä € Ÿ
  EXPECT_EQ(Utf8ToCp1252("a\xC3\xA4\xE2\x82\xAC\xC5\xB8"), "a\xE4\x80\x9F");
  // Greek alpha and an emoji are not in the code page; a stray continuation
  // byte and a truncated sequence are not UTF-8 at all.
  EXPECT_EQ(Utf8ToCp1252("\xCE\xB1|\xF0\x9F\x98\x80|\x80|\xC3"), "?|?|?|?");
  // Overlong "/" and an encoded surrogate are rejected too.
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF\xED\xA0\x80"), "?????");
  // The undefined bytes survive a round trip.
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(std::string(1, static_cast<char>(b)))), std::string(1, static_cast<char>(b)));
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
  }
}

TEST_F(TextFileTest, WritesCrLfInTheCodePageAndReadsItBack) {
  TTextFile f(path_);
  f.Rewrite();
  f.WriteLn("caf\xC3\xA9 \xE2\x82\xAC");  // café €
  f.Write("no ");
  f.WriteLn("end");
  f.WriteLn("\xCE\xB1");  // alpha: not representable
  f.Close();
  EXPECT_EQ(ReadBytes(), "caf\xE9 \x80\r\nno end\r\n?\r\n");

  f.Reset();
  EXPECT_EQ(f.ReadLn(), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(f.ReadLn(), "no end");
  EXPECT_EQ(f.ReadLn(), "?");
  EXPECT_TRUE(f.Eof());
  std::string line = "x";
  EXPECT_FALSE(f.ReadLn(line));
  EXPECT_EQ(line, "");
  f.Close();
}

TEST_F(TextFileTest, ReadsLfCrLfAndALastLineWithoutEnd) {
  WriteBytes("one\ntwo\r\n\r\nlast");
  TTextFile f(path_);
  f.Reset();
  std::string line;
  std::vector<std::string> lines;
  while (!f.Eof() && f.ReadLn(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "last"}));
  f.Close();
}

TEST_F(TextFileTest, CharacterReadsShareThePositionWithReadLn) {
  WriteBytes("<a>\xE4rest\r\nnext\r\n");
  TTextFile f(path_);
  f.Reset();
  char c;
  ASSERT_TRUE(f.PeekChar(c));
  EXPECT_EQ(c, '<');
  for (char expected : std::string("<a>\xC3\xA4")) {  // ä comes as two UTF-8 bytes
    ASSERT_TRUE(f.ReadChar(c));
    EXPECT_EQ(c, expected);
  }
  EXPECT_EQ(f.ReadLn(), "rest");
  EXPECT_EQ(f.ReadLn(), "next");
  EXPECT_FALSE(f.ReadChar(c));
  EXPECT_FALSE(f.PeekChar(c));
  EXPECT_TRUE(f.Eof());
}

TEST_F(TextFileTest, AppendAddsAtTheEndOfAnExistingFile) {
  WriteBytes("first\r\n");
  TTextFile f(path_);
  f.Append();
  f.WriteLn("second");
  f.Close();
  EXPECT_EQ(ReadBytes(), "first\r\nsecond\r\n");
}

TEST_F(TextFileTest, OpeningAMissingFileRaisesWithErrno) {
  TTextFile f(path_ + ".missing");
  try {
    f.Reset();
    FAIL() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, ENOENT);
    EXPECT_NE(std::string(e.what()).find(".missing"), std::string::npos);
  }
  EXPECT_FALSE(f.IsOpen());
  TTextFile dir(::testing::TempDir());
  try {
    dir.Reset();
    FAIL() << "a directory opened as a text file";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, EISDIR);
  }
  // Append needs an existing file and must not create one.
  EXPECT_THROW(f.Append(), EInOutError);
  std::ifstream probe(path_ + ".missing");
  EXPECT_FALSE(probe.good());
}

TEST_F(TextFileTest, CapturedErrorsAreReportedOnceByIOResult) {
  TTextFile f(path_ + ".missing");
  f.SetIOChecks(false);
  f.Reset();
  EXPECT_FALSE(f.IsOpen());
  // Operations after the failure do nothing while the error is pending.
  std::string line;
  EXPECT_FALSE(f.ReadLn(line));
  f.Close();
  EXPECT_EQ(f.IOResult(), ENOENT);
  EXPECT_EQ(f.IOResult(), 0);
  // Now the next fault is recorded: reading a closed file.
  f.ReadLn(line);
  EXPECT_EQ(f.IOResult(), EBADF);
}

TEST_F(TextFileTest, WrongModeAndClosedFileAreErrors) {
  TTextFile f(path_);
  EXPECT_THROW(f.Close(), EInOutError);
  f.Rewrite();
  std::string line;
  EXPECT_THROW(f.ReadLn(line), EInOutError);
  EXPECT_THROW(f.AssignFile("other"), EInOutError);
  f.Close();
  f.Reset();
  EXPECT_THROW(f.WriteLn("x"), EInOutError);
  f.Close();
}

TEST_F(TextFileTest, AWriteThatCannotBeStoredIsReportedAtClose) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full not available";
  TTextFile f("/dev/full");
  f.Rewrite();
  f.WriteLn("data");
  try {
    f.Close();
    FAIL() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, ENOSPC);
  }
  EXPECT_FALSE(f.IsOpen());
}

TEST_F(TextFileTest, RewriteEmptiesAnExistingFile) {
  WriteBytes("old contents\r\n");
  TTextFile f(path_);
  f.Rewrite();
  f.Close();
  EXPECT_EQ(ReadBytes(), "");
  f.Reset();
  EXPECT_TRUE(f.Eof());
}

}  // namespace
}  // namespace orq
