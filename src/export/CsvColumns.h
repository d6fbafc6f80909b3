#pragma once
// The columns of the profile's CSV form, in the order they are written: the set that
// KeePassXC writes and other managers read, then the account fields it has no column for.

#include <string>

#include "profile/NodeData.h"

namespace bv {

struct CsvColumn {
  const char* header;
  std::string TNodeData::*member;  // null for Group, the path of the account's parents
};

inline constexpr CsvColumn kCsvColumns[] = {
    {"Group", nullptr},
    {"Title", &TNodeData::Name},
    {"Username", &TNodeData::UserName},
    {"Password", &TNodeData::Password},
    {"URL", &TNodeData::Url},
    {"Notes", &TNodeData::Notes},
    {"Description", &TNodeData::Description},
    {"Question", &TNodeData::Question},
    {"Answer", &TNodeData::Answer},
    {"E-mail", &TNodeData::Mail},
    {"Account type", &TNodeData::AccountType},
};
inline constexpr std::size_t kCsvColumnCount = std::size(kCsvColumns);

// The one-time password seed has a column of its own, where KeePassXC writes it: after
// Notes. An account's notes keep it as their last line; written in this column, the notes
// beside it leave that line out.
inline constexpr const char* kCsvTotpHeader = "TOTP";
inline constexpr std::size_t kCsvTotpAfter = 5;  // Notes
// The columns only this program writes: a file that has any of them is ours, whatever else
// it holds.
inline constexpr std::size_t kCsvOwnColumnsFrom = 6;  // Description

}  // namespace bv
