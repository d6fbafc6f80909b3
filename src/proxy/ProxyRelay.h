#pragma once
// brindlevault-proxy: the host program the browser starts for the extension. It relays
// native-messaging frames between its standard input/output and the running program's
// socket, and answers each request itself with "not running" while no program listens.

#include <string>

namespace bv {

// The program's socket for the browser: $XDG_RUNTIME_DIR/brindlevault/browser.sock, or empty
// when there is no private runtime folder.
std::string BrowserSocketPath();

// Relays until the browser closes standard input; returns the exit status.
int RunRelay(int input, int output, const std::string& socketPath);

}  // namespace bv
