#include "files/ini_file.h"

#include <gtest/gtest.h>

#include "support/paths.h"

namespace mrv {
namespace {

TEST(IniFileTest, ReadsByTheUsualRules) {
  IniFile ini;
  ini.Parse(
      "\xEF\xBB\xBF; [program] in a comment is no section\r\n[Program]\r\n"
      "  InitiationCount =  7  \r\nhex=0x1f\nHEX2=0XFFFFFFFF\rbare=0x\r\njunk=12abc\r\n"
      "flag=2\r\noff=0\r\nword=yes\r\nempty=\r\n[data]\r\nweapons=aKnife;\xFD"
      "Admin;\xFFUnknown\r\nlong=" +
      std::string(3000, 'x'));
  EXPECT_EQ(ini.ReadInteger("program", "initiationcount", 0), 7);
  EXPECT_EQ(ini.ReadInteger("PROGRAM", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("program", "hex2", 0), -1);
  EXPECT_EQ(ini.ReadInteger("program", "bare", 5), 5);
  EXPECT_EQ(ini.ReadInteger("program", "junk", 5), 5);
  EXPECT_TRUE(ini.ReadBool("program", "flag", false));
  EXPECT_FALSE(ini.ReadBool("program", "off", true));
  EXPECT_TRUE(ini.ReadBool("program", "word", true));
  EXPECT_FALSE(ini.ReadBool("program", "word", false));
  EXPECT_EQ(ini.ReadString("program", "empty", "default"), "");
  EXPECT_EQ(ini.ReadString("program", "missing", "default"), "default");
  EXPECT_EQ(ini.ReadString("nosuch", "hex", "default"), "default");
  EXPECT_EQ(ini.ReadString("data", "weapons", ""),
            "aKnife;\xFD"
            "Admin;\xFFUnknown");
  EXPECT_EQ(ini.ReadString("data", "long", ""), std::string(IniFile::kMaxValueLength, 'x'));
  EXPECT_FALSE(ini.Find("data", "hex"));          // keys belong to their own section only
  ini.Parse("\xEF\xBB\xBF[Monitor]\ntime=90\n");  // saved by an editor that marks UTF-8
  EXPECT_EQ(ini.ReadInteger("monitor", "time", 0), 90);
}

TEST(IniFileTest, WritingChangesOnlyTheLineConcerned) {
  const std::string original =
      "; keep me\r\n[program]\nFile1 = old\r\n\r\n; about the data section\r\n[data]\rx=1";
  IniFile ini;
  ini.Parse(original);
  ASSERT_TRUE(ini.WriteString("PROGRAM", "file1", "new path"));
  ASSERT_TRUE(ini.WriteString("program", "LastDir", "C:\\games\\"));
  ASSERT_TRUE(ini.WriteInteger("data", "y", 2));
  ASSERT_TRUE(ini.WriteBool("Monitor", "cyclic", true));
  EXPECT_EQ(ini.Text(),
            "; keep me\r\n[program]\nFile1 = new path\r\nLastDir=C:\\games\\\r\n\r\n"
            "; about the data section\r\n[data]\rx=1\r\ny=2\r\n\r\n[Monitor]\r\ncyclic=1\r\n");
  EXPECT_EQ(ini.ReadString("program", "file1", ""), "new path");

  // Nothing that would read back differently is written.
  const std::string before = ini.Text();
  EXPECT_FALSE(ini.WriteString("program", "file2", "two\nlines"));
  EXPECT_FALSE(ini.WriteString("program", "a=b", "v"));
  EXPECT_FALSE(ini.WriteString("program", ";comment", "v"));
  EXPECT_FALSE(ini.WriteString("pro]gram", "k", "v"));
  EXPECT_FALSE(ini.WriteString("program", " padded", "v"));
  EXPECT_EQ(ini.Text(), before);
}

TEST(IniFileTest, LoadsSavesAndRefusesOversizedFiles) {
  test::ScratchDir dir("ini-file");
  IniFile ini;
  EXPECT_FALSE(ini.Load(dir / "missing.ini"));
  EXPECT_FALSE(ini.Load(dir.path()));

  const std::string binary("[s]\r\nk=\0\x01\xFE\r\n\x00\x00", 14);
  test::WriteFileBytes(dir / "binary.ini", binary);
  ASSERT_TRUE(ini.Load(dir / "binary.ini"));
  EXPECT_EQ(ini.ReadString("s", "k", "-"), std::string("\0\x01\xFE", 3));
  ASSERT_TRUE(ini.WriteString("s", "k", "v"));
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(test::ReadFileBytes(dir / "binary.ini"), std::string("[s]\r\nk=v\r\n\x00\x00", 12));

  test::WriteFileBytes(dir / "huge.ini", "[s]\n" + std::string(IniFile::kMaxFileBytes, 'x'));
  EXPECT_FALSE(ini.Load(dir / "huge.ini"));
}

}  // namespace
}  // namespace mrv
