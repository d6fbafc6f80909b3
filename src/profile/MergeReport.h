#pragma once
// A merge's summary as lines a person reads, one per entry, in the language of the texts
// given: "Changed in the other version: Correo/Gmail (Password)". Windows-1252, like every text.

#include <functional>
#include <string>
#include <vector>

#include "profile/ProfileMerge.h"
#include "profile/SplicedRecords.h"

namespace bv {

// Text of message n of the active language.
using MessageLookup = std::function<std::string(int)>;

// A path as shown: the names from the top level down, joined by "/".
[[nodiscard]] std::string ShownPath(const std::vector<std::string>& path);

// The lines of the summary in its order, after one for each record left out of theirs; a
// single line saying so when the merge found nothing to combine.
[[nodiscard]] std::vector<std::string> DescribeMerge(const MergedProfile& merged,
                                                     const MessageLookup& text);

// The line that names a record left out of another version (SplicedRecords.h): where it was
// and which field gave it away, never the value.
[[nodiscard]] std::string DescribeSplicedRecord(const SplicedRecord& record,
                                                const MessageLookup& text);

}  // namespace bv
