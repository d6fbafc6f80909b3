#include "export/KdbxFile.h"

#include <array>

#include "export/Gzip.h"
#include "export/KdbxContainer.h"
#include "export/KdbxXml.h"

namespace bv {

SecureBytes EncodeKdbx(const TProfileHeader& header, const ProfileTree& tree, const KdbxKey& key,
                       std::int64_t unixSecondsNow) {
  SecureBytes innerKey(64);
  FillRandom(innerKey);
  const std::span<const std::uint8_t, 64> innerKeySpan(innerKey.data(), 64);
  SecureBytes payload = InnerHeader(innerKeySpan);
  InnerStream stream(innerKeySpan);
  AppendKdbxXml(payload, header, tree, stream, unixSecondsNow);
  return SealKdbx(key, GzipCompress(payload));
}

}  // namespace bv
