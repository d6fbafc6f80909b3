#include "profile/ProfileWriter.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <future>
#include <span>
#include <vector>

#include "config/CopyFailureText.h"
#include "crypto/FieldCipher.h"
#include "files/LargeBuffer.h"
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

// Collects the file's bytes and writes them a block at a time. The bytes stay: once the save
// is done they are the version the writer holds.
class BlockWriter {
 public:
  BlockWriter(FileHandle& file, std::size_t size) : file_(file) {
    ReserveLargeBuffer(bytes_, size);
  }
  MutableRecordBytes NextRecord() {
    if (bytes_.size() - flushed_ >= kBlockBytes) Flush();
    bytes_.resize(bytes_.size() + kRecordSize);
    return MutableRecordBytes(bytes_.data() + bytes_.size() - kRecordSize, kRecordSize);
  }
  void Flush() {
    file_.WriteAll(std::span<const std::uint8_t>(bytes_).subspan(flushed_));
    flushed_ = bytes_.size();
  }
  LargeBytes& Bytes() { return bytes_; }

 private:
  static constexpr std::size_t kBlockBytes = 64 * kRecordSize;
  FileHandle& file_;
  LargeBytes bytes_;  // every byte of a record is written once it is added
  std::size_t flushed_ = 0;
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
                        std::string_view markerText, const BackupStore* backups,
                        FirstRecordTail tail) {
  const std::size_t kept = tail == FirstRecordTail::KeptFromReplaced ? kRecordSize : 0;
  FileReplacement replacement(path, kept, ProfileStart());
  const FirstRecord first = BuildFirstRecord(header, replacement.OldPrefix());

  FileHandle& file = replacement.Temp();
  BlockWriter writer(file, kRecordSize * (tree.Count() + 1));
  std::memcpy(writer.NextRecord().data(), first.data(), kRecordSize);
  FieldCipher cipher(password);  // one keyed cipher for every field of the save
  const std::string marker = cipher.Encipher(markerText);
  TNodeRecord record;
  tree.ForEachPreOrder([&](const TreeNode& node, int depth) {
    EncipherNode(node.data, depth, marker, cipher, record);
    EncodeNodeRecord(record, writer.NextRecord());
  });
  writer.Flush();

  // The digest is worked out while the file goes to disk and is read back, so that knowing
  // the version written costs a save next to nothing. (Declared after the bytes: a failure
  // below waits for the digest before the bytes go.)
  const LargeBytes& bytes = writer.Bytes();
  std::future<Sha256> digest =
      std::async(std::launch::async | std::launch::deferred, [&bytes] { return Sha256Of(bytes); });
  replacement.Seal();
  CheckWritten(file, first, tree, marker, cipher);
  SaveReport report;
  report.written.fingerprint.digest = digest.get();
  report.written.bytes = std::move(writer.Bytes());
  // A descriptor of our own: the replacement lets go of its one when it commits, and the
  // fingerprint must describe the file we wrote even if another writer replaces it at once.
  const FileHandle written(::dup(file.Fd()));
  if (written.Fd() < 0) ThrowLastError();
  if (backups) {
    try {
      report.backup = backups->Keep(replacement.Target());
    } catch (const EInOutError& error) {
      report.backupFailure = CopyFailureText(error);
    }
  }
  replacement.Commit();
  // Putting the file in place moved its change time (and its links) on.
  report.written.fingerprint.stat = StatOf(written);
  return report;
}

}  // namespace bv
