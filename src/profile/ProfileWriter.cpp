#include "profile/ProfileWriter.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "crypto/FieldCipher.h"
#include "files/BackupStore.h"
#include "files/FileReplacement.h"
#include "files/InOutError.h"
#include "profile/NodeCodec.h"
#include "profile/RecordFile.h"
#include "profile/RecordLayout.h"

namespace bv {
namespace {

using FirstRecord = std::array<std::uint8_t, kRecordSize>;

FirstRecord BuildFirstRecord(const TProfileHeader& header, const std::vector<std::uint8_t>& old) {
  FirstRecord bytes{};
  if (old.size() > kHeaderSize)
    std::copy(old.begin() + kHeaderSize, old.end(), bytes.begin() + kHeaderSize);
  TProfileHeader stored = header;
  stored.Magic = TProfileHeader::kMagic;
  EncodeHeader(stored, std::span<std::uint8_t, kHeaderSize>(bytes.data(), kHeaderSize));
  return bytes;
}

// Collects records and writes them a block at a time.
class BlockWriter {
 public:
  explicit BlockWriter(FileHandle& file) : file_(file) { block_.reserve(kBlockBytes); }
  MutableRecordBytes NextRecord() {
    if (block_.size() == kBlockBytes) Flush();
    block_.resize(block_.size() + kRecordSize);
    return MutableRecordBytes(block_.data() + block_.size() - kRecordSize, kRecordSize);
  }
  void Flush() {
    file_.WriteAll(block_);
    block_.clear();
  }

 private:
  static constexpr std::size_t kBlockBytes = 64 * kRecordSize;
  FileHandle& file_;
  std::vector<std::uint8_t> block_;
};

// Every profile written begins with the Magic text and its length byte: a leftover of a
// killed save is known by it.
std::string ProfileStart() {
  std::string start(1, static_cast<char>(TProfileHeader::kMagic.size()));
  start.append(TProfileHeader::kMagic);
  return start;
}

[[noreturn]] void ThrowMismatch() { throw EInOutError::FromErrno(EIO); }

// Reads the new file back: record 0 as built, then one record per node that deciphers to
// what the node keeps, at its depth, and nothing after.
void CheckWritten(const FileHandle& file, const FirstRecord& first, const ProfileTree& tree,
                  const std::string& marker, FieldCipher& cipher) {
  if (file.Size() != kRecordSize * (tree.Count() + 1)) ThrowMismatch();
  FirstRecord readBack{};
  file.ReadAt(0, readBack);
  if (readBack != first) ThrowMismatch();

  RecordReader reader(file, 1, tree.Count() + 1);
  TNodeRecord record;
  tree.ForEachPreOrder([&](const TreeNode& node, int depth) {
    const auto bytes = reader.Next();
    if (!bytes) ThrowMismatch();
    DecodeNodeRecord(*bytes, record);
    if (record.Level != depth ||
        record.Marker != std::string_view(marker).substr(0, kRecordTextSlots[0].slot.capacity) ||
        !RecordMatches(record, node.data, cipher))
      ThrowMismatch();
  });
}

}  // namespace

SaveReport WriteProfile(const std::filesystem::path& path, const TProfileHeader& header,
                        const ProfileTree& tree, std::string_view password,
                        std::string_view markerText, const BackupStore* backups) {
  FileReplacement replacement(path, kRecordSize, ProfileStart());
  const FirstRecord first = BuildFirstRecord(header, replacement.OldPrefix());

  FileHandle& file = replacement.Temp();
  file.WriteAll(first);
  FieldCipher cipher(password);  // one keyed cipher for every field of the save
  const std::string marker = cipher.Encipher(markerText);
  BlockWriter writer(file);
  TNodeRecord record;
  tree.ForEachPreOrder([&](const TreeNode& node, int depth) {
    EncipherNode(node.data, depth, marker, cipher, record);
    EncodeNodeRecord(record, writer.NextRecord());
  });
  writer.Flush();

  replacement.Seal();
  CheckWritten(file, first, tree, marker, cipher);
  SaveReport report;
  report.written = ReadWhole(file);
  // A descriptor of our own: the replacement lets go of its one when it commits, and the
  // fingerprint must describe the file we wrote even if another writer replaces it at once.
  const FileHandle written(::dup(file.Fd()));
  if (written.Fd() < 0) ThrowLastError();
  if (backups) {
    try {
      report.backup = backups->Keep(replacement.Target());
    } catch (const EInOutError& error) {
      report.backupFailure = error.what();
    }
  }
  replacement.Commit();
  // Putting the file in place moved its change time (and its links) on.
  report.written.fingerprint.stat = StatOf(written);
  return report;
}

}  // namespace bv
