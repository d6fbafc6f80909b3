// Damaged, short, missing and unwritable profiles: what is reported and what survives.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "crypto/FieldCipher.h"
#include "files/FileReplacement.h"
#include "files/InOutError.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

using test::Bytes;
using test::ScratchFolder;

constexpr const char* kPassword = "clave";
const std::string kPastEndText = "Lectura m\xE1s all\xE1 del fin del archivo";

using Window = test::CoreSession;

class FailureTest : public testing::Test {
 protected:
  std::filesystem::path SaveSample(const std::filesystem::path& path) {
    Window writer;
    writer.header = test::SampleHeader(kPassword);
    test::FillSampleTree(writer.tree);
    writer.Save(path, kPassword);
    return path;
  }
  std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  ScratchFolder dir;
  Window window;
};

// The run-time text of what Load(path) throws; empty when it does not throw.
std::string LoadFailure(Window& window, const std::filesystem::path& path) {
  try {
    static_cast<void>(window.Load(path, kPassword));
  } catch (const EInOutError& error) {
    return error.what();
  }
  return "";
}

std::string SaveFailure(Window& window, const std::filesystem::path& path) {
  try {
    window.Save(path, kPassword);
  } catch (const EInOutError& error) {
    return error.what();
  }
  return "";
}

TEST_F(FailureTest, ShortOrMissingFilesReportTheRunTimeText) {
  const struct {
    const char* name;
    std::size_t size;  // 0 with exists false: no file at all
    bool exists;
    std::string text;
  } cases[] = {
      {"missing.bv3", 0, false, "Archivo no encontrado"},
      {"empty.bv3", 0, true, kPastEndText},
      {"short.bv3", kHeaderSize - 1, true, kPastEndText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir / c.name;
    if (c.exists) test::WriteBytes(path, Bytes(c.size, 'x'));
    EXPECT_EQ(LoadFailure(window, path), c.text);
    try {
      window.ReadHeader(path);
      ADD_FAILURE() << "ReadHeader did not fail";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.what(), c.text);
    }
  }
  EXPECT_EQ(LoadFailure(window, dir.path()), "Acceso al archivo denegado");
  EXPECT_EQ(LoadFailure(window, dir / "missing.bv3" / "x.bv3"), "Archivo no encontrado");
  test::WriteBytes(dir / "plain", Bytes(10));
  EXPECT_EQ(LoadFailure(window, dir / "plain" / "x.bv3"), "Nombre de Archivo inv\xE1lido");
}

TEST_F(FailureTest, PartialRecordsAreIgnored) {
  const auto path = SaveSample(dir / "p.bv3");
  Bytes bytes = test::ReadBytes(path);
  const struct {
    std::size_t size;
    std::size_t nodes;
  } cases[] = {{kRecordSize, 0},
               {kRecordSize + 1000, 0},
               {2 * kRecordSize - 1, 0},
               {2 * kRecordSize + 5, 1},
               {kHeaderSize, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    test::WriteBytes(path,
                     Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(c.size)));
    Window reader;
    ASSERT_TRUE(reader.Load(path, kPassword));
    EXPECT_EQ(reader.tree.Count(), c.nodes);
  }
}

// Overwrites one text field of record k with text that is not valid enciphered text.
void DamageField(const std::filesystem::path& path, std::size_t k, std::size_t slot) {
  Bytes bytes = test::ReadBytes(path);
  const std::size_t at = k * kRecordSize + kRecordTextSlots[slot].slot.offset;
  ASSERT_GT(bytes[at], 0) << "the field to damage is empty";
  bytes[at + 2] = '!';  // outside the XX alphabet
  test::WriteBytes(path, bytes);
}

TEST_F(FailureTest, ADamagedFieldCostsOnlyItself) {
  ProfileTree sample;
  test::FillSampleTree(sample);
  const int account = 4;  // "Cuenta ñ", every field filled; record 5
  for (std::size_t slot = 1; slot < std::size(kRecordTextSlots); ++slot) {
    SCOPED_TRACE(kRecordTextSlots[slot].name);
    const auto path = SaveSample(dir / "p.bv3");
    DamageField(path, account + 1, slot);
    Window reader;
    ASSERT_TRUE(reader.Load(path, kPassword));
    ASSERT_EQ(reader.tree.Count(), sample.Count());
    for (int k = 0; k < static_cast<int>(sample.Count()); ++k) {
      TNodeData expected = sample.NodeAtTreeIndex(k)->data;
      if (k == account) expected.*kTextFields[slot - 1].member = "";
      EXPECT_EQ(reader.tree.NodeAtTreeIndex(k)->data, expected) << "node " << k;
    }
  }
}

TEST_F(FailureTest, AccountOnlyFieldsOfGroupsAreNeverRead) {
  const auto path = SaveSample(dir / "p.bv3");
  Bytes bytes = test::ReadBytes(path);
  // Record 3 is the group "Oficina": fill its account-only fields with garbage and text.
  TNodeRecord record;
  DecodeNodeRecord(RecordBytes(bytes.data() + 3 * kRecordSize, kRecordSize), record);
  record.UserName = "!!!";
  record.Password = EncipherField("no es de un grupo", kPassword);
  EncodeNodeRecord(record, MutableRecordBytes(bytes.data() + 3 * kRecordSize, kRecordSize));
  test::WriteBytes(path, bytes);
  ASSERT_TRUE(window.Load(path, kPassword));
  const TNodeData& group = window.tree.NodeAtTreeIndex(2)->data;
  EXPECT_EQ(group.Name, "Oficina");
  EXPECT_TRUE(group.UserName.empty());
  EXPECT_TRUE(group.Password.empty());
}

TEST_F(FailureTest, RecordsWithOddLevelsAndFlagsStillLoad) {
  TProfileHeader header = test::SampleHeader(kPassword);
  Bytes bytes(kRecordSize);
  header.Magic = TProfileHeader::kMagic;
  EncodeHeader(header, std::span<std::uint8_t, kHeaderSize>(bytes.data(), kHeaderSize));
  const std::int32_t levels[] = {-4, 3, 9, -1, 1};
  for (std::size_t k = 0; k < std::size(levels); ++k) {
    TNodeRecord record;
    record.Name = EncipherField("r" + std::to_string(k), kPassword);
    record.IsAccount = k == 2 ? 7 : 0;  // any non-zero byte is an account
    record.Level = levels[k];
    bytes.resize(bytes.size() + kRecordSize);
    EncodeNodeRecord(record,
                     MutableRecordBytes(bytes.data() + bytes.size() - kRecordSize, kRecordSize));
  }
  const auto path = dir / "raro.bv3";
  test::WriteBytes(path, bytes);
  ASSERT_TRUE(window.Load(path, kPassword));
  EXPECT_EQ(test::Shape(window.tree), "r0(r1(r2)) r3(r4)");
  EXPECT_EQ(window.tree.NodeAtTreeIndex(2)->data.IsAccount, 1);
}

TEST_F(FailureTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  const auto path = SaveSample(dir / "p.bv3");
  const Bytes old = test::ReadBytes(path);
  const std::string failure = test::RunInChild([&] {
    // The file size limit stops the write of the new file part-way.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{3 * kRecordSize, 3 * kRecordSize};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    window.header = test::SampleHeader(kPassword);
    test::FillSampleTree(window.tree);
    window.session.Modified = true;
    std::string text = SaveFailure(window, path);
    if (text != "Error I/O 27") return "save reported '" + text + "'";
    if (!window.session.Modified) return std::string("Modified was cleared");
    return std::string();
  });
  EXPECT_EQ(failure, "");
  EXPECT_EQ(test::ReadBytes(path), old);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"p.bv3"});
}

// Written bytes that do not read back as the tree (a failing disk, a cache that lied) stop
// the save before the new file takes the old one's place.
TEST_F(FailureTest, WrittenBytesThatDoNotReadBackAreNeverPutInPlace) {
  const struct {
    const char* what;
    std::function<void(int fd)> spoil;
  } spoilings[] = {
      {"a header byte", [](int fd) { ASSERT_EQ(::pwrite(fd, "x", 1, 20), 1); }},
      {"a name byte of the last node",
       [](int fd) {
         const off_t at = static_cast<off_t>(8 * kRecordSize + kRecordTextSlots[1].slot.offset + 1);
         ASSERT_EQ(::pwrite(fd, "\x7F", 1, at), 1);
       }},
      {"a level",
       [](int fd) { ASSERT_EQ(::pwrite(fd, "\x05", 1, kRecordSize + kLevelOffset), 1); }},
      {"the last node cut off", [](int fd) { ASSERT_EQ(::ftruncate(fd, 8 * kRecordSize), 0); }},
      {"a byte appended", [](int fd) { ASSERT_EQ(::pwrite(fd, "", 1, 9 * kRecordSize), 1); }},
  };
  const auto path = SaveSample(dir / "p.bv3");
  const Bytes old = test::ReadBytes(path);
  for (const auto& s : spoilings) {
    SCOPED_TRACE(s.what);
    SetSealedFileStep([&](FileHandle& temp) { s.spoil(temp.Fd()); });
    window.header = test::SampleHeader(kPassword);
    window.header.Title = "Nuevo";
    window.tree.Clear();
    test::FillSampleTree(window.tree);
    window.session.Modified = true;
    EXPECT_EQ(SaveFailure(window, path), "Error I/O 5");
    SetSealedFileStep({});
    EXPECT_TRUE(window.session.Modified);
    EXPECT_EQ(test::ReadBytes(path), old);
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"p.bv3"});
  }
}

TEST_F(FailureTest, SavingUnderARegularFileFails) {
  test::WriteBytes(dir / "plain", Bytes(10));
  window.header = test::SampleHeader(kPassword);
  EXPECT_EQ(SaveFailure(window, dir / "plain" / "p.bv3"), "Nombre de Archivo inv\xE1lido");
  EXPECT_EQ(SaveFailure(window, dir / "nowhere" / "p.bv3"), "Archivo no encontrado");
  EXPECT_EQ(SaveFailure(window, dir.path()), "Acceso al archivo denegado");
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"plain"});
}

// A device, FIFO or socket is neither read as a profile nor replaced by one.
TEST_F(FailureTest, SpecialFilesAreNotProfilesAndAreNeverSavedOver) {
  for (const test::SpecialFile kind : test::SpecialFileKinds()) {
    const auto path = dir / ("especial" + std::to_string(static_cast<int>(kind)));
    ASSERT_TRUE(test::MakeSpecialFile(path, kind));
    struct stat before {};
    ASSERT_EQ(::lstat(path.c_str(), &before), 0);
    EXPECT_EQ(window.ReadHeader(path), HeaderKind::NotProfile);  // without blocking
    std::filesystem::create_symlink(path.filename(), dir / "enlace");
    for (const auto& target : {path, dir / "enlace"}) {
      window.header = test::SampleHeader(kPassword);
      window.session.Modified = true;
      try {
        window.Save(target, kPassword);
        ADD_FAILURE() << "saved over " << target;
      } catch (const ENotRegularFile& error) {
        EXPECT_NE(std::string(error.what()).find("not a regular file"), std::string::npos);
      }
      EXPECT_TRUE(window.session.Modified);
    }
    struct stat after {};
    ASSERT_EQ(::lstat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
    EXPECT_EQ(after.st_ino, before.st_ino);
    std::filesystem::remove(dir / "enlace");
    std::filesystem::remove(path);
  }
  EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST_F(FailureTest, AReadOnlyProfileOpensButIsNotOverwritten) {
  const auto folder = dir / "mine";
  std::filesystem::create_directory(folder);
  test::GiveToUnprivileged(folder);
  const auto path = SaveSample(folder / "p.bv3");
  test::GiveToUnprivileged(path);
  ::chmod(path.c_str(), 0444);
  const Bytes old = test::ReadBytes(path);

  const std::string failure = test::RunWithoutPrivilege([&]() -> std::string {
    if (!window.Load(path, kPassword)) return "wrong password";
    if (window.tree.Count() != 8) return "tree not loaded";
    TNodeData extra = TNodeData::Create(NodeKind::Category, 0);
    extra.Name = "nueva";
    window.tree.Append(nullptr, extra);
    window.session.Modified = true;
    const std::string text = SaveFailure(window, path);
    if (text != "Acceso al archivo denegado") return "save reported '" + text + "'";
    if (!window.session.Modified) return "Modified was cleared";
    return "";
  });
  EXPECT_EQ(failure, "");
  EXPECT_EQ(test::ReadBytes(path), old);
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"p.bv3"});
}

TEST_F(FailureTest, AFolderThatCannotBeWrittenKeepsTheOldFile) {
  const auto folder = dir / "locked";
  std::filesystem::create_directory(folder);
  const auto path = SaveSample(folder / "p.bv3");
  test::GiveToUnprivileged(path);  // the file itself may be written; the folder not
  ::chmod(path.c_str(), 0666);
  ::chmod(folder.c_str(), 0555);
  const Bytes old = test::ReadBytes(path);

  const std::string failure = test::RunWithoutPrivilege([&]() -> std::string {
    if (!window.Load(path, kPassword)) return "wrong password";
    window.tree.Remove(window.tree.First());
    const std::string text = SaveFailure(window, path);
    return text == "Acceso al archivo denegado" ? "" : "save reported '" + text + "'";
  });
  EXPECT_EQ(failure, "");
  EXPECT_EQ(test::ReadBytes(path), old);
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"p.bv3"});
}

TEST_F(FailureTest, SaveKeepsPermissionsAndFollowsSymbolicLinks) {
  const auto real = SaveSample(dir / "real.bv3");
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_symlink("real.bv3", dir / "link.bv3");
  window.header = test::SampleHeader(kPassword);
  window.tree.Append(nullptr, test::SampleAccount("sola"));
  window.Save(dir / "link.bv3", kPassword);

  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.bv3"));
  EXPECT_EQ(std::filesystem::file_size(real), 2 * kRecordSize);
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  const mode_t old = ::umask(0);
  window.Save(dir / "nuevo.bv3", kPassword);
  ::umask(old);
  ASSERT_EQ(::stat((dir / "nuevo.bv3").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);  // a new profile is for its owner only

  // So is one saved into the empty file the new-profile dialog makes first.
  test::WriteBytes(dir / "vacio.bv3", {});
  ::chmod((dir / "vacio.bv3").c_str(), 0644);
  window.Save(dir / "vacio.bv3", kPassword);
  ASSERT_EQ(::stat((dir / "vacio.bv3").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

}  // namespace
}  // namespace bv
