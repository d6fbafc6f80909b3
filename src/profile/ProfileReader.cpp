#include "profile/ProfileReader.h"

#include <array>

#include "crypto/FieldCipher.h"
#include "profile/LevelTree.h"
#include "profile/NodeCodec.h"
#include "profile/RecordFile.h"

namespace bv {

HeaderRead ReadProfileHeader(const std::filesystem::path& path) {
  // A device, FIFO or socket is not a profile. It is looked at before it is opened (opening
  // a socket fails, opening a device may act on it) and again once open, in case it changed.
  if (IsSpecialFile(path)) return {};
  FileHandle file = FileHandle::OpenForReading(path);
  if (file.IsSpecial()) return {};
  std::array<std::uint8_t, kHeaderSize> bytes{};
  file.ReadAt(0, bytes);
  file.Close();
  return {DecodeHeader(bytes), ClassifyHeader(bytes)};
}

std::size_t ForEachNodeRecord(const std::filesystem::path& path,
                              const std::function<void(const TNodeRecord&)>& visit) {
  FileHandle file = FileHandle::OpenForReading(path);
  const std::uint64_t records = WholeRecords(file.Size());
  RecordReader reader(file, 1, records);
  TNodeRecord record;
  std::size_t visited = 0;
  while (const auto bytes = reader.Next()) {
    DecodeNodeRecord(*bytes, record);
    visit(record);
    ++visited;
  }
  file.Close();
  return visited;
}

std::size_t LoadProfileNodes(const std::filesystem::path& path, std::string_view password,
                             ProfileTree& tree) {
  FieldCipher cipher(password);
  LevelTreeBuilder builder(tree);
  return ForEachNodeRecord(path, [&](const TNodeRecord& record) {
    builder.Attach(record.Level, DecipherNode(record, cipher));
  });
}

}  // namespace bv
