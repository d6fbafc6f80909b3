// brindlevault-cli: looks into, dumps and creates Brindlevault profiles from the shell.
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "config/Cp1252.h"
#include "crypto/ProcessHardening.h"
#include "profile/InOutError.h"

namespace {

using bv::cli::CliError;
using bv::cli::ExitCode;

constexpr const char* kUsage =
    "Usage:\n"
    "  brindlevault-cli info FILE\n"
    "  brindlevault-cli dump [--password-stdin] FILE\n"
    "  brindlevault-cli create FILE --from TREE.json [--force] [--password-stdin]\n"
    "\n"
    "info    owner, title, size, numbers of nodes, whether a master password is set\n"
    "dump    the whole profile as JSON on standard output\n"
    "create  a new profile from JSON in the form dump writes (--from - reads stdin)\n"
    "\n"
    "The master password is asked on the terminal without echo, or read from the first\n"
    "line of standard input with --password-stdin. A profile without password asks none;\n"
    "create with an empty password makes one.\n";

struct CommandLine {
  std::string command;
  std::vector<std::string> files;
  std::optional<std::string> from;
  bool force = false;
  bool passwordStdin = false;
};

[[noreturn]] void UsageError(const std::string& message) {
  throw CliError(ExitCode::kUsage, message + " (brindlevault-cli --help shows the usage)");
}

CommandLine Parse(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty()) UsageError("no command given");
  line.command = args[0];
  for (std::size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg == "--force") {
      line.force = true;
    } else if (arg == "--password-stdin") {
      line.passwordStdin = true;
    } else if (arg == "--from") {
      if (++k == args.size()) UsageError("--from needs a file");
      line.from = args[k];
    } else if (arg.size() > 1 && arg[0] == '-') {
      UsageError("unknown option " + arg);
    } else {
      line.files.push_back(arg);
    }
  }
  if (line.files.size() != 1) UsageError(line.command + " takes exactly one profile file");
  const bool creating = line.command == "create";
  if (!creating && (line.from || line.force)) UsageError("--from and --force belong to create");
  if (creating && !line.from) UsageError("create needs --from TREE.json");
  if (line.command == "info" && line.passwordStdin) UsageError("info asks no password");
  return line;
}

void Run(const CommandLine& line) {
  const std::filesystem::path profile = line.files[0];
  const bv::cli::PasswordOptions password{line.passwordStdin};
  try {
    if (line.command == "info")
      bv::cli::RunInfo(profile, std::cout);
    else if (line.command == "dump")
      bv::cli::RunDump(profile, password, std::cout);
    else if (line.command == "create")
      bv::cli::RunCreate(profile, {*line.from, line.force, password}, std::cout);
    else
      UsageError("unknown command " + line.command);
  } catch (const bv::EInOutError& error) {
    // The run-time text is Windows-1252, like every text of the program.
    throw CliError(ExitCode::kFileError, profile.string() + ": " + bv::Cp1252ToUtf8(error.what()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  bv::ForbidCoreDumps();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    std::cout << kUsage;
    return 0;
  }
  try {
    Run(Parse(args));
    std::cout.flush();
    if (!std::cout) throw CliError(ExitCode::kFileError, "standard output: write failed");
    return 0;
  } catch (const CliError& error) {
    std::cerr << "brindlevault-cli: " << error.what() << '\n';
    return static_cast<int>(error.Code());
  } catch (const std::exception& error) {
    std::cerr << "brindlevault-cli: " << error.what() << '\n';
    return static_cast<int>(ExitCode::kInternal);
  }
}
