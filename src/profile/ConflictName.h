#pragma once
// The name of the copy a conflict adds beside the node it kept: the other version's name with
// a mark, so that the user finds it and can tell it apart.

#include <string>
#include <string_view>

namespace bv {

// pattern is a text of the language files in which "%1" stands for the name ("%1 (conflict)").
// The result is no longer than a name that survives a save: a long name is cut so that the
// mark stays whole. A pattern without "%1" is put after the name; an empty one (a language file
// that lacks it) becomes "%1 (*)", a sign that needs no translation.
[[nodiscard]] std::string ConflictCopyName(std::string_view name, std::string_view pattern);

}  // namespace bv
