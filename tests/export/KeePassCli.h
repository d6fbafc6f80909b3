#pragma once
// Runs KeePassXC's command-line tool, the peer that checks our KDBX files, with the
// database password on its standard input.

#include <filesystem>
#include <string>
#include <vector>

namespace bv::test {

bool KeePassCliAvailable();

struct CliRun {
  int status = -1;     // exit status, -1 when it did not exit normally
  std::string out;     // standard output
  std::string errors;  // standard error
};

// keepassxc-cli <command> -q <args...>, the password and a line end on standard input.
CliRun KeePassCli(const std::string& command, const std::vector<std::string>& args,
                  const std::string& password);

// A minimal RFC 4180 reader for the peer's CSV export: rows of fields.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text);

}  // namespace bv::test
