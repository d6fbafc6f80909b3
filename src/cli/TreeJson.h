#pragma once
// The JSON form of a profile, shared by dump and create (texts in UTF-8):
//
//   { "owner": "...", "title": "...",
//     "nodes": [ { "kind": "category" | "group" | "account",
//                  "name": "...", <account fields>, "description": "...",
//                  "picture": 3, "children": [ ...nodes... ] } ] }
//
// Account fields ("userName", "password", "question", "answer", "mail", "url",
// "accountType", "notes") belong to accounts only.

#include <iosfwd>
#include <string>

#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace bv::cli {

// Writes the profile as indented JSON. Iterative, so no nesting depth can exhaust the stack,
// and streamed, so a large profile is never held twice.
void WriteProfileJson(std::ostream& out, const TProfileHeader& header, const ProfileTree& tree);

// Reads the JSON form into header (Owner, Title) and tree. Throws ECliError naming the
// offending field: kBadJson for text that is not JSON or not this shape, kNotCp1252 for a
// character without a Windows-1252 form, kTooLong for a value longer than the file keeps.
void ReadProfileJson(const std::string& text, TProfileHeader& header, ProfileTree& tree);

}  // namespace bv::cli
