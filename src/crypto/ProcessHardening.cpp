#include "crypto/ProcessHardening.h"

#include <sys/prctl.h>
#include <sys/resource.h>

#include <cstdlib>
#include <cstring>

namespace bv {

bool ForbidCoreDumps() {
  const char* allow = std::getenv(kAllowCoreDumpsVariable);
  if (allow && std::strcmp(allow, "1") == 0) return false;
  // Failures are ignored: neither call can fail for an unprivileged process lowering its
  // own limits, and refusing to start would help nobody.
  (void)::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
  const rlimit none{0, 0};
  (void)::setrlimit(RLIMIT_CORE, &none);
  return true;
}

}  // namespace bv
