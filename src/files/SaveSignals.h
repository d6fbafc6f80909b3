#pragma once
// The named file a save has on disk before it takes the profile's place, kept where a signal
// handler can find it without allocating: a program ended by SIGINT, SIGTERM or SIGHUP in
// the middle of a save then leaves nothing behind.

#include <filesystem>

namespace bv {

// Records path as the file to remove if a signal ends the program now; replaces any
// earlier one. Clearing forgets it (the file was renamed or removed).
void MarkPendingSaveFile(const std::filesystem::path& path);
void ClearPendingSaveFile();

// For programs without signal handlers of their own (the command-line tool): SIGINT,
// SIGTERM and SIGHUP remove the pending file, then end the program as they would have. A
// signal the program was started with ignored (nohup) stays ignored.
void InstallSaveSignalCleanup();

}  // namespace bv
