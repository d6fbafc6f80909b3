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
namespace {

// Records deciphered per block read: 64 of them make about 120 KB, which stays in the cache.
constexpr std::size_t kRecordsPerRead = 64;

}  // namespace

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

namespace {

// Takes the header from the first block, and deciphers the records of each block as it comes
// once the header's password matched.
class BlockLoader {
 public:
  BlockLoader(std::string_view password, LoadedProfile& loaded)
      : password_(password), loaded_(loaded) {}

  void Start() {
    builder_.reset();
    cipher_.reset();
    headerRead_ = false;
    loaded_ = LoadedProfile{};
  }
  void Take(std::uint64_t offset, std::span<const std::uint8_t> block) {
    std::size_t at = 0;
    if (offset == 0 && block.size() >= kHeaderSize) {
      loaded_.header = DecodeHeader(HeaderBytes(block.data(), kHeaderSize));
      headerRead_ = true;
      if (!PasswordMatches(loaded_.header, password_)) return;
      cipher_.emplace(password_);
      builder_.emplace(loaded_.tree);
      at = kRecordSize;
    }
    if (!builder_ || loaded_.failure) return;
    try {
      for (; at + kRecordSize <= block.size(); at += kRecordSize) {
        DecodeNodeRecord(RecordBytes(block.data() + at, kRecordSize), record_);
        builder_->Attach(record_.Level, DecipherNode(record_, *cipher_));
      }
    } catch (...) {
      loaded_.failure = std::current_exception();
    }
  }
  // A file too short for a header read nothing of it.
  [[nodiscard]] bool HeaderRead() const { return headerRead_; }
  [[nodiscard]] bool Opened() const { return builder_.has_value(); }

 private:
  std::string_view password_;
  LoadedProfile& loaded_;
  std::optional<FieldCipher> cipher_;
  std::optional<LevelTreeBuilder> builder_;
  TNodeRecord record_;
  bool headerRead_ = false;
};

}  // namespace

ReadProfile ReadAndLoadProfile(const std::filesystem::path& path, std::string_view password,
                               int depthLimit) {
  ReadProfile read;
  if (IsSpecialFile(path)) {
    read.loaded = LoadProfile(ReadProfileFile(path), password, depthLimit);
    return read;
  }
  BlockLoader loader(password, read.loaded);
  // Blocks of whole records, at least as large as the header.
  static_assert(kRecordsPerRead * kRecordSize >= kHeaderSize);
  read.file = ReadSettledVersion(
      path, [&] { loader.Start(); },
      [&](std::uint64_t offset, std::span<const std::uint8_t> block) {
        loader.Take(offset, block);
      },
      kRecordsPerRead * kRecordSize);
  if (!loader.HeaderRead()) throw EInOutError(kReadBeyondEnd);
  if (!loader.Opened()) return read;
  read.loaded.outcome =
      read.loaded.failure ? LoadedProfile::Outcome::FailedPartWay : LoadedProfile::Outcome::Loaded;
  if (depthLimit != kNoDepthLimit) read.loaded.lifted = LiftDeepNodes(read.loaded.tree, depthLimit);
  return read;
}

std::size_t LoadProfileNodes(const FileHandle& file, std::string_view password, ProfileTree& tree) {
  FieldCipher cipher(password);
  LevelTreeBuilder builder(tree);
  return ForEachNodeRecord(file, [&](const TNodeRecord& record) {
    builder.Attach(record.Level, DecipherNode(record, cipher));
  });
}

}  // namespace bv
