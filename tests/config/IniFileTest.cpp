#include "config/IniFile.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>

#include "support/ScratchFolder.h"

namespace bv {
namespace {

using test::ReadFile;
using test::ScratchFolder;
using test::WriteFile;

struct ReadCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsValue) {
  ScratchFolder dir;
  WriteFile(dir / "a.ini", GetParam().file);
  EXPECT_EQ(IniFile(dir / "a.ini").Read(GetParam().section, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadTest,
    ::testing::Values(ReadCase{"Plain", "[S]\nk=v\n", "S", "k", "v"},
                      ReadCase{"SectionCase", "[Configuracion]\nk=v\n", "CONFIGURACION", "k", "v"},
                      ReadCase{"KeyCase", "[S]\nCargaUltimo=1\n", "S", "cargaultimo", "1"},
                      ReadCase{"Cp1252NamesKeepCase", "[S]\n\321a=1\n", "S", "\361a", std::nullopt},
                      ReadCase{"Cp1252ValueKept", "[S]\nk=Espa\xF1ol \xF7 \x81\n", "S", "k",
                               "Espa\xF1ol \xF7 \x81"},
                      ReadCase{"CrLf", "[S]\r\nk=v\r\nj=w\r\n", "S", "j", "w"},
                      ReadCase{"NoFinalLineEnd", "[S]\nk=v", "S", "k", "v"},
                      ReadCase{"BlanksTrimmed", "  [ S ]  \n  k  =  v w  \n", "S", "k", "v w"},
                      ReadCase{"QuotesStripped", "[S]\nk=\"v\"\n", "S", "k", "v"},
                      ReadCase{"UnpairedQuoteKept", "[S]\nk=\"v\n", "S", "k", "\"v"},
                      ReadCase{"EmptyValue", "[S]\nk=\n", "S", "k", ""},
                      ReadCase{"EqualsInValue", "[S]\nk=a=b\n", "S", "k", "a=b"},
                      ReadCase{"MissingKey", "[S]\nk=v\n", "S", "x", std::nullopt},
                      ReadCase{"KeyOfOtherSection", "[A]\nk=1\n[B]\nj=2\n", "B", "k", std::nullopt},
                      ReadCase{"KeyBeforeAnySection", "k=1\n[S]\n", "S", "k", std::nullopt},
                      ReadCase{"CommentIgnored", "[S]\n;k=1\n", "S", "k", std::nullopt},
                      ReadCase{"FirstDuplicateWins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
                      ReadCase{"SecondSectionOfSameName", "[S]\na=1\n[T]\n[s]\nk=2\n", "S", "k",
                               std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFileTest, ValuesAreCutTo2047Bytes) {
  ScratchFolder dir;
  WriteFile(dir / "a.ini",
            "[S]\nk=" + std::string(3000, 'x') + "\nj=" + std::string(2047, 'y') + "\n");
  const IniFile ini(dir / "a.ini");
  EXPECT_EQ(ini.Read("S", "k"), std::string(2047, 'x'));
  EXPECT_EQ(ini.Read("S", "j"), std::string(2047, 'y'));
}

TEST(IniFileTest, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
  ScratchFolder dir;
  const auto path = dir / "new.ini";
  EXPECT_EQ(IniFile(path).ReadString("S", "k", "def"), "def");
  EXPECT_FALSE(std::filesystem::exists(path));
  IniFile::WriteOnce(path, "S", "k", "v");
  EXPECT_EQ(ReadFile(path), "[S]\nk=v\n");
  EXPECT_EQ(IniFile::ReadOnce(path, "s", "K", "def"), "v");
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyItsLine) {
  ScratchFolder dir;
  const auto path = dir / "a.ini";
  WriteFile(path, GetParam().before);
  IniFile ini(path);
  ini.Write(GetParam().section, GetParam().key, GetParam().value);
  EXPECT_EQ(ReadFile(path), GetParam().after);
  EXPECT_EQ(ini.Read(GetParam().section, GetParam().key), GetParam().value);
  EXPECT_EQ(IniFile(path).Read(GetParam().section, GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWriteTest,
    ::testing::Values(
        WriteCase{"ReplaceKeepsOtherLines", "; comment\n\n[A]\nUnknown = x \nk=old\n\n[B]\nk=b\n",
                  "a", "K", "new", "; comment\n\n[A]\nUnknown = x \nk=new\n\n[B]\nk=b\n"},
        WriteCase{"ReplaceKeepsCrLf", "[A]\r\nk=old\r\nz=1\r\n", "A", "k", "new",
                  "[A]\r\nk=new\r\nz=1\r\n"},
        WriteCase{"NewKeyAfterLastEntry", "[A]\r\nx=1\r\n\r\n[B]\r\n", "A", "k", "v",
                  "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\n"},
        WriteCase{"NewKeyInEmptySection", "[A]\n[B]\nx=1\n", "A", "k", "v", "[A]\nk=v\n[B]\nx=1\n"},
        WriteCase{"NewSectionAtEndWithFileLineEnd", "[A]\r\nx=1", "B", "k", "v",
                  "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        WriteCase{"MixedLineEndsKept", "[A]\nx=1\r\nk=0\n", "A", "k", "1", "[A]\nx=1\r\nk=1\n"},
        WriteCase{"Cp1252BytesKept", "[A]\nx=\xF1\x81\n", "A", "k", "\xE9",
                  "[A]\nx=\xF1\x81\nk=\xE9\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFileTest, RefusesValuesThatWouldSplitTheLine) {
  ScratchFolder dir;
  const auto path = dir / "a.ini";
  WriteFile(path, "[A]\nk=1\n");
  IniFile ini(path);
  EXPECT_THROW(ini.Write("A", "k", "1\n[B]\nx=2"), EIniWriteError);
  EXPECT_THROW(ini.Write("A", "k=", "1"), EIniWriteError);
  EXPECT_EQ(ReadFile(path), "[A]\nk=1\n");
}

TEST(IniFileTest, FailedWriteThrowsAndLeavesTheFile) {
  ScratchFolder dir;
  WriteFile(dir / "plain", "not a folder");
  // A path below a regular file cannot be written even by root.
  EXPECT_THROW(IniFile::WriteOnce(dir / "plain" / "a.ini", "A", "k", "v"), EIniWriteError);

  const auto path = dir / "a.ini";
  WriteFile(path, "[A]\nk=1\n");
  IniFile ini(path);
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);  // the rename over a folder fails
  EXPECT_THROW(ini.Write("A", "k", "2"), EIniWriteError);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2u) << "the temporary file is removed";
}

TEST(IniFileTest, AFileThatCannotBeReadIsNeverReplaced) {
  ScratchFolder dir;
  // Nobody, root included, can open a socket as a file.
  const auto path = dir / "socket.ini";
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("A", "k", "def"), "def");
  EXPECT_THROW(ini.Write("A", "k", "v"), EIniWriteError);
  EXPECT_TRUE(std::filesystem::is_socket(path));
  ::close(fd);
}

TEST(IniFileTest, WriteKeepsPermissionsAndSymbolicLinks) {
  ScratchFolder dir;
  const auto real = dir / "real.ini";
  WriteFile(real, "[A]\nk=1\n");
  std::filesystem::permissions(real, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  std::filesystem::create_symlink(real, dir / "link.ini");
  IniFile::WriteOnce(dir / "link.ini", "A", "k", "2");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
  EXPECT_EQ(ReadFile(real), "[A]\nk=2\n");
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace bv
