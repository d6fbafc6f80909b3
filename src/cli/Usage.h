#pragma once
// What brindlevault-cli --help and --version print. The synopsis lines are those of the
// manual page brindlevault-cli(1); a test keeps the two alike.

#include <string_view>

namespace bv::cli {

inline constexpr std::string_view kUsage =
    "Usage:\n"
    "  brindlevault-cli info FILE\n"
    "  brindlevault-cli dump [--password-stdin] FILE\n"
    "  brindlevault-cli create FILE --from TREE.json [--force] [--password-stdin]\n"
    "  brindlevault-cli create FILE --from-csv IN.csv [--force] [--password-stdin]\n"
    "  brindlevault-cli merge OURS THEIRS [--base BASE] --output OUT [--password-stdin]\n"
    "  brindlevault-cli export FILE --format kdbx|csv|csv-full --output OUT [--password-stdin]\n"
    "  brindlevault-cli analyze FILE [--password-stdin] [--hibp LIST] [--json]\n"
    "  brindlevault-cli totp FILE PATH [--password-stdin] [--verbose]\n"
    "  brindlevault-cli --help\n"
    "  brindlevault-cli --version\n"
    "\n"
    "info    owner, title, size, numbers of nodes, whether a master password is set\n"
    "dump    the whole profile as JSON on standard output\n"
    "create  a new profile from JSON in the form dump writes (--from - reads stdin), or\n"
    "        from a CSV file of ours, of KeePassXC or of Bitwarden (--from-csv)\n"
    "merge   combines two versions of a profile edited apart, given the version both\n"
    "        started from (--base); without it nothing is deleted and every difference is\n"
    "        kept. On a conflict OURS stays and THEIRS is added beside it, marked. OUT gets\n"
    "        OURS' password; the summary is printed\n"
    "export  the whole profile as a KDBX 4 database or as CSV: one row per account, as\n"
    "        other managers read it, or (csv-full) with the rows that rebuild every\n"
    "        category and group when read back by create --from-csv\n"
    "analyze the accounts whose passwords are empty, weak, reused, the same as the user\n"
    "        name, the name or the master password, or (--hibp) in an offline list of\n"
    "        breached passwords; a table, or JSON with --json. No password is printed.\n"
    "totp    the current two-step code of the account at PATH (its CSV Group path and\n"
    "        name: Web/Gmail, \"/\" in a name written \"\\/\"), from the seed its notes end\n"
    "        with; --verbose adds the seconds it stays valid\n"
    "\n"
    "The master password is asked on the terminal without echo, or read from the first\n"
    "line of standard input with --password-stdin. A profile without password asks none;\n"
    "create with an empty password makes one. export --format kdbx asks the new\n"
    "database's password too (the second line with --password-stdin). merge asks a\n"
    "password only where none known opens a file: OURS', then THEIRS', then BASE's,\n"
    "each the next line with --password-stdin.\n"
    "\n"
    "Exit codes and files: see brindlevault-cli(1).\n";

#ifndef BV_VERSION
#error "BV_VERSION comes from the project's version in CMakeLists.txt"
#endif
inline constexpr std::string_view kVersionLine = "brindlevault-cli " BV_VERSION "\n";

}  // namespace bv::cli
