#pragma once
// Keeps the decrypted profile out of core files and away from other processes of the same
// user: the process is made non-dumpable (no core file, no ptrace or /proc/PID/mem access
// without CAP_SYS_PTRACE) and its core size limit is set to 0. Both programs call this
// first thing in main().

namespace bv {

// Set to exactly "1" to keep the process dumpable and the core limit as inherited, for
// debugging a crash.
inline constexpr const char* kAllowCoreDumpsVariable = "BRINDLEVAULT_ALLOW_CORE_DUMPS";

// True when the hardening was applied, false when the variable above asked to skip it.
bool ForbidCoreDumps();

}  // namespace bv
