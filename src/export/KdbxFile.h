#pragma once
// The bytes of a KDBX 4.0 file for a profile under a key already derived: everything the
// export does except the key derivation and the disk.

#include <cstdint>

#include "export/KdbxKey.h"
#include "export/SecureBytes.h"
#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace bv {

// unixSecondsNow is the time every group and entry is stamped with (created, modified).
SecureBytes EncodeKdbx(const TProfileHeader& header, const ProfileTree& tree, const KdbxKey& key,
                       std::int64_t unixSecondsNow);

}  // namespace bv
