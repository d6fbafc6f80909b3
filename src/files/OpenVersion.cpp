#include "files/OpenVersion.h"

#include <botan/hash.h>

namespace bv {

std::optional<WholeFile> OpenVersion::ReadAgain() const {
  // Looked at first, so that a lost version costs no read.
  if (WrittenSince(StatOf(file_))) return std::nullopt;
  try {
    WholeFile again = ReadWhole(file_);
    if (WrittenSince(again.fingerprint.stat)) return std::nullopt;  // written just before
    return again;
  } catch (const EChangedWhileRead&) {
    return std::nullopt;
  }
}

std::optional<Sha256> OpenVersion::DigestAgain() const {
  if (WrittenSince(StatOf(file_))) return std::nullopt;
  const auto hash = Botan::HashFunction::create_or_throw("SHA-256");
  try {
    const FileFingerprint again =
        VisitWhole(file_, [&](std::uint64_t, std::span<const std::uint8_t> block) {
          hash->update(block.data(), block.size());
        });
    if (WrittenSince(again.stat)) return std::nullopt;
  } catch (const EChangedWhileRead&) {
    return std::nullopt;
  }
  Sha256 digest{};
  hash->final(digest.data());
  return digest;
}

void OpenVersion::Retime(const FileStat& now) {
  if (IsOpen() && now.device == read_.device && now.inode == read_.inode) read_ = now;
}

OpenVersion ReadSettledVersion(const std::filesystem::path& path,
                               const std::function<void()>& start, const BlockVisitor& visit,
                               std::size_t blockBytes) {
  return RetryWhileChanging([&] {
    if (start) start();
    FileHandle file = OpenWholeFile(path);
    const FileFingerprint read = VisitWhole(file, visit, blockBytes);
    return OpenVersion(std::move(file), read.stat);
  });
}

}  // namespace bv
