#include "profile/ProfileReader.h"

#include <array>
#include <utility>

#include "crypto/FieldCipher.h"
#include "files/FileHandle.h"
#include "files/InOutError.h"
#include "profile/DepthLimit.h"
#include "profile/LevelTree.h"
#include "profile/MasterPassword.h"
#include "profile/NodeCodec.h"
#include "profile/RecordFile.h"

namespace bv {

ProfileBytes ReadProfileFile(const std::filesystem::path& path) {
  // A device, FIFO or socket is not a profile. It is looked at before it is opened (opening
  // a socket fails, opening a device may act on it) and again once open, in case it changed.
  // (ReadWholeFile refuses one that became special in between.)
  if (IsSpecialFile(path)) return {.bytes = {}, .special = true, .fingerprint = {}};
  return ProfileBytesOf(ReadSettledFile(path));
}

ProfileBytes ProfileBytesOf(WholeFile version) {
  return {.bytes = std::move(version.bytes), .special = false, .fingerprint = version.fingerprint};
}

HeaderRead ReadProfileHeader(const ProfileBytes& file) {
  if (file.special) return {};
  if (file.bytes.size() < kHeaderSize) throw EInOutError(kReadBeyondEnd);
  const HeaderBytes bytes(file.bytes.data(), kHeaderSize);
  return {DecodeHeader(bytes), ClassifyHeader(bytes)};
}

HeaderRead ReadProfileHeader(const std::filesystem::path& path) {
  if (IsSpecialFile(path)) return {};
  FileHandle file = FileHandle::OpenForReading(path);
  if (file.IsSpecial()) return {};
  std::array<std::uint8_t, kHeaderSize> bytes{};
  file.ReadAt(0, bytes);
  file.Close();
  return {DecodeHeader(bytes), ClassifyHeader(bytes)};
}

std::size_t ForEachNodeRecord(const ProfileBytes& file,
                              const std::function<void(const TNodeRecord&)>& visit) {
  const std::uint64_t records = WholeRecords(file.bytes.size());
  TNodeRecord record;
  std::size_t visited = 0;
  for (std::uint64_t k = 1; k < records; ++k) {
    DecodeNodeRecord(RecordBytes(file.bytes.data() + k * kRecordSize, kRecordSize), record);
    visit(record);
    ++visited;
  }
  return visited;
}

std::size_t ForEachNodeRecord(const std::filesystem::path& path,
                              const std::function<void(const TNodeRecord&)>& visit) {
  return ForEachNodeRecord(ReadProfileFile(path), visit);
}

std::size_t LoadProfileNodes(const ProfileBytes& file, std::string_view password,
                             ProfileTree& tree) {
  FieldCipher cipher(password);
  LevelTreeBuilder builder(tree);
  return ForEachNodeRecord(file, [&](const TNodeRecord& record) {
    builder.Attach(record.Level, DecipherNode(record, cipher));
  });
}

std::size_t LoadProfileNodes(const std::filesystem::path& path, std::string_view password,
                             ProfileTree& tree) {
  return LoadProfileNodes(ReadProfileFile(path), password, tree);
}

LoadedProfile LoadProfile(const ProfileBytes& file, std::string_view password, int depthLimit) {
  LoadedProfile loaded;
  loaded.header = ReadProfileHeader(file).header;
  if (!PasswordMatches(loaded.header, password)) return loaded;
  try {
    static_cast<void>(LoadProfileNodes(file, password, loaded.tree));
    loaded.outcome = LoadedProfile::Outcome::Loaded;
  } catch (...) {
    loaded.outcome = LoadedProfile::Outcome::FailedPartWay;
    loaded.failure = std::current_exception();
  }
  if (depthLimit != kNoDepthLimit) loaded.lifted = LiftDeepNodes(loaded.tree, depthLimit);
  return loaded;
}

std::size_t ForEachNodeRecord(const FileHandle& file,
                              const std::function<void(const TNodeRecord&)>& visit) {
  RecordReader reader(file, 1, WholeRecords(file.Size()));
  TNodeRecord record;
  std::size_t visited = 0;
  while (const auto bytes = reader.Next()) {
    DecodeNodeRecord(*bytes, record);
    visit(record);
    ++visited;
  }
  return visited;
}

std::size_t LoadProfileNodes(const FileHandle& file, std::string_view password, ProfileTree& tree) {
  FieldCipher cipher(password);
  LevelTreeBuilder builder(tree);
  return ForEachNodeRecord(file, [&](const TNodeRecord& record) {
    builder.Attach(record.Level, DecipherNode(record, cipher));
  });
}

}  // namespace bv
