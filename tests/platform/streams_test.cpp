#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>

#include "orqplatform/Exceptions.h"
#include "orqplatform/Streams.h"

namespace orq {
namespace {

TEST(MemoryStream, ReadsWritesAndSeeks) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Position(), 6);
  s.SetPosition(2);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 4);  // short read at the end
  EXPECT_STREQ(buf, "cdef");
  EXPECT_EQ(s.Read(buf, 1), 0);
  EXPECT_EQ(s.Seek(-100, soCurrent), 0);  // clamped at the start
  // Writing past the end fills the gap with zeros.
  s.Seek(8, soBeginning);
  s.WriteBuffer("z", 1);
  ASSERT_EQ(s.Size(), 9);
  EXPECT_EQ(static_cast<const char*>(s.Memory())[6], '\0');
  s.SetSize(3);
  EXPECT_EQ(s.Position(), 3);
  EXPECT_THROW(s.ReadBuffer(buf, 1), EReadError);
}

TEST(MemoryStream, CopyFromCopiesAllOrAPart) {
  TMemoryStream src, dst;
  src.WriteBuffer("0123456789", 10);
  src.SetPosition(7);
  EXPECT_EQ(dst.CopyFrom(&src, 0), 10);  // 0: the whole source from its start
  EXPECT_EQ(dst.Size(), 10);
  src.SetPosition(8);
  EXPECT_THROW(dst.CopyFrom(&src, 5), EReadError);  // only 2 bytes left
}

TEST(FileStream, MissingFilesAndRoundTrip) {
  const std::string name = ::testing::TempDir() + "orq_stream_" + std::to_string(::getpid());
  EXPECT_THROW(TFileStream(name + ".missing", fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream("/nonexistent-dir/x", fmCreate), EFCreateError);
  {
    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    m.SaveToFile(name);
  }
  TMemoryStream back;
  back.LoadFromFile(name);
  ASSERT_EQ(back.Size(), 5);
  EXPECT_EQ(std::memcmp(back.Memory(), "hello", 5), 0);
  {
    TFileStream f(name, fmOpenReadWrite);
    f.SetSize(2);
    EXPECT_EQ(f.Size(), 2);
  }
  std::remove(name.c_str());
}

}  // namespace
}  // namespace orq
