#pragma once
// The watch the save guard keeps (LinkGuard.h), shared by the guard forked at the program's
// start and the small program bv-link-guard that takes its place when it has to be started
// again later. Only async-signal-safe calls: a forked copy of the program holds none of its
// other threads.

namespace bv {

// The messages of the channel: the first byte says which.
inline constexpr char kGuardName = '+';    // followed by the path
inline constexpr char kReleaseName = '-';  // alone

// Reads the messages of the program from channel: kGuardName and a path (the name to guard) or
// kReleaseName (the name is gone). When the program ends (the channel reads its end) with a name still
// guarded, removes that name. Never returns.
[[noreturn]] void WatchLinkNames(int channel);

}  // namespace bv
