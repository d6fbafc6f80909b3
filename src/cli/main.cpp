// brindlevault-cli: looks into, dumps and creates Brindlevault profiles from the shell.
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/MergeCommand.h"
#include "cli/Usage.h"
#include "config/Cp1252.h"
#include "crypto/ProcessHardening.h"
#include "files/LinkGuard.h"
#include "files/InOutError.h"
#include "files/SaveSignals.h"

namespace {

using bv::cli::ECliError;
using bv::cli::ExitCode;

struct CommandLine {
  std::string command;
  std::vector<std::string> files;
  std::optional<std::string> from;
  std::optional<std::string> fromCsv;
  std::optional<std::string> format;
  std::optional<std::string> output;
  std::optional<std::string> base;
  std::optional<std::string> hibp;
  bool force = false;
  bool json = false;
  bool passwordStdin = false;
  bool verbose = false;
};

[[noreturn]] void UsageError(const std::string& message) {
  throw ECliError(ExitCode::kUsage, message + " (brindlevault-cli --help shows the usage)");
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
    } else if (arg == "--json") {
      line.json = true;
    } else if (arg == "--verbose") {
      line.verbose = true;
    } else if (arg == "--from" || arg == "--from-csv" || arg == "--format" || arg == "--output" ||
               arg == "--base" || arg == "--hibp") {
      if (++k == args.size()) UsageError(arg + " needs a value");
      (arg == "--from"       ? line.from
       : arg == "--from-csv" ? line.fromCsv
       : arg == "--format"   ? line.format
       : arg == "--output"   ? line.output
       : arg == "--base"     ? line.base
                             : line.hibp) = args[k];
    } else if (arg.size() > 1 && arg[0] == '-') {
      UsageError("unknown option " + arg);
    } else {
      line.files.push_back(arg);
    }
  }
  const bool creating = line.command == "create";
  const bool exporting = line.command == "export";
  const bool merging = line.command == "merge";
  const bool totp = line.command == "totp";
  if (merging && line.files.size() != 2) UsageError("merge takes two profile files: OURS THEIRS");
  if (totp && line.files.size() != 2) UsageError("totp takes a profile file and an account's path");
  if (!merging && !totp && line.files.size() != 1)
    UsageError(line.command + " takes exactly one profile file");
  if (!creating && (line.from || line.fromCsv || line.force))
    UsageError("--from, --from-csv and --force belong to create");
  if (creating && !line.from == !line.fromCsv)
    UsageError("create needs either --from TREE.json or --from-csv IN.csv");
  if (!exporting && line.format) UsageError("--format belongs to export");
  if (!exporting && !merging && line.output) UsageError("--output belongs to export and merge");
  if (!merging && line.base) UsageError("--base belongs to merge");
  if (merging && !line.output) UsageError("merge needs --output OUT");
  if (exporting && (!line.format || !line.output))
    UsageError("export needs --format kdbx|csv|csv-full and --output OUT");
  if (exporting && *line.format != "kdbx" && *line.format != "csv" && *line.format != "csv-full")
    UsageError("--format is kdbx, csv or csv-full");
  if (line.command != "analyze" && (line.hibp || line.json))
    UsageError("--hibp and --json belong to analyze");
  if (!totp && line.verbose) UsageError("--verbose belongs to totp");
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
      bv::cli::RunCreate(profile,
                         {line.from.value_or(""), line.fromCsv.value_or(""), line.force, password},
                         std::cout);
    else if (line.command == "merge")
      bv::cli::RunMerge(
          {line.files[0], line.files[1],
           line.base ? std::optional<std::filesystem::path>(*line.base) : std::nullopt,
           *line.output, password},
          std::cout);
    else if (line.command == "export")
      bv::cli::RunExport(profile,
                         {*line.format == "csv"        ? bv::cli::ExportFormat::Csv
                          : *line.format == "csv-full" ? bv::cli::ExportFormat::CsvFull
                                                       : bv::cli::ExportFormat::Kdbx,
                          *line.output, password},
                         std::cout);
    else if (line.command == "totp")
      bv::cli::RunTotp(profile, {line.files[1], password, line.verbose}, std::cout);
    else if (line.command == "analyze")
      bv::cli::RunAnalyze(profile, {password, line.hibp.value_or(""), line.json}, std::cout);
    else
      UsageError("unknown command " + line.command);
  } catch (const bv::EInOutError& error) {
    // The run-time text is Windows-1252, like every text of the program.
    throw ECliError(ExitCode::kFileError, profile.string() + ": " + bv::Cp1252ToUtf8(error.what()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  bv::ForbidCoreDumps();
  // Ctrl+C, a closed terminal or a kill during create leave no temporary file behind.
  bv::InstallSaveSignalCleanup();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    std::cout << bv::cli::kUsage << std::flush;
    return std::cout ? 0 : static_cast<int>(ExitCode::kFileError);
  }
  if (!args.empty() && args[0] == "--version") {
    std::cout << bv::cli::kVersionLine << std::flush;
    return std::cout ? 0 : static_cast<int>(ExitCode::kFileError);
  }
  // The helper that guards saves is forked now, while the process is small: forked later,
  // every page of the profiles read since would be copied on its next write.
  bv::StartLinkGuard();
  try {
    Run(Parse(args));
    std::cout.flush();
    if (!std::cout) throw ECliError(ExitCode::kFileError, "standard output: write failed");
    return 0;
  } catch (const ECliError& error) {
    std::cerr << "brindlevault-cli: " << error.what() << '\n';
    return static_cast<int>(error.Code());
  } catch (const std::exception& error) {
    std::cerr << "brindlevault-cli: " << error.what() << '\n';
    return static_cast<int>(ExitCode::kInternal);
  }
}
