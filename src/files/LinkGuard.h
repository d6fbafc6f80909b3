#pragma once
// The guard over the one moment of a save that its own process could not clean up after if
// it were killed outright (SIGKILL): the complete new file linked in under a hidden name and
// not yet renamed over its target. A small helper process, one for the whole life of the
// program, stands guard: it is told each such name before the link and told when the name
// is gone; when the program ends with a name still pending, the helper removes it.
//
// The helper is forked once, at the start, not once a save: a fork copies the page tables of
// the whole process, which with a large profile in memory costs more than the rest of the
// machinery. Should it die, the next save starts the small program bv-link-guard in its
// place (beside the program, or in lib/brindlevault of its prefix), never a fork of the
// program, which by then holds the decrypted profile and the master password; without that
// program no guard runs.

#include <filesystem>
#include <string>

namespace bv {

// Starts the helper now, while the process is small. Optional: the first save that needs it
// starts it otherwise. A process forked from this one starts a helper of its own.
void StartLinkGuard();

// Tells the helper that path (absolute) is about to be linked in. False when no helper runs
// (it could not be started); the save goes on, and a later save removes what a kill left.
bool GuardLinkName(const std::string& path);
// The name guarded last has been renamed over its target or removed.
void ReleaseLinkName();

// Where bv-link-guard is when it is not beside the program (a test's build folder).
void UseLinkGuardHelper(const std::filesystem::path& program);

}  // namespace bv
