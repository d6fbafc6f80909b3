// brindlevault-proxy: started by the browser for the KeePassXC-Browser extension, with the
// extension's identity as arguments (ignored: the program decides whom it answers).

#include <csignal>

#include "proxy/ProxyRelay.h"

int main() {
  std::signal(SIGPIPE, SIG_IGN);  // a program that quits mid-write is a closed socket, no more
  return bv::RunRelay(0, 1, bv::BrowserSocketPath());
}
