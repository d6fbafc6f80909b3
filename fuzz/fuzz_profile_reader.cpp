// Arbitrary bytes as a profile file: header read, password check with the sentinel, and a
// load of every record. Nothing may crash, and whatever loads must write back to records that
// read back the same.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "crypto/FieldCipher.h"
#include "files/InOutError.h"
#include "profile/MasterPassword.h"
#include "profile/NodeCodec.h"
#include "profile/ProfileReader.h"

namespace {

// One in-memory file for the whole run, opened by path like any profile.
const std::string& ProfilePath(int& fd) {
  static const int file = ::memfd_create("profile.bv3", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(file);
  fd = file;
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int fd = -1;
  const std::string& path = ProfilePath(fd);
  if (fd < 0 || ::ftruncate(fd, 0) != 0) std::abort();
  if (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

  const std::string sentinel(bv::kEmptyPasswordSentinel);
  try {
    const bv::HeaderRead header = bv::ReadProfileHeader(path);
    // Run for what they read of the header: any answer is right for arbitrary bytes.
    static_cast<void>(bv::PasswordMatches(header.header, sentinel));
    static_cast<void>(bv::OtherEditionName(header.header));
  } catch (const bv::EInOutError&) {
    return 0;  // shorter than a header
  }

  // Load whatever the verifier says, so that the records themselves are exercised.
  bv::ProfileTree tree;
  bv::LoadProfileNodes(path, sentinel, tree);

  bv::FieldCipher cipher(sentinel);
  bv::TNodeRecord record;
  tree.ForEachPreOrder([&](const bv::TreeNode& node, int depth) {
    bv::EncipherNode(node.data, depth, "", cipher, record);
    if (!bv::RecordMatches(record, node.data, cipher)) std::abort();
  });
  return 0;
}
