// bv-link-guard: the save guard started again after the first one died. A program of its
// own, so that starting it copies nothing of the large process that asks for it (no decrypted
// profile, no master password). Its standard input is the program's channel.
#include "files/LinkGuardWatch.h"

int main() { bv::WatchLinkNames(0); }
