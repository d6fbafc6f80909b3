# Turns PNG files into a C++ table of byte arrays, so that core code (which has no Qt
# resources) carries the program's pictures. Run with cmake -P:
#   -DOUTPUT=<file.cpp> -DINPUTS=<file1;file2;...> (in picture order)
set(body "")
set(table "")
set(count 0)
foreach(input IN LISTS INPUTS)
  file(READ "${input}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char kPicture${count}[] = {\n    ${bytes}};\n")
  string(APPEND table "    {kPicture${count}, sizeof kPicture${count}},\n")
  math(EXPR count "${count} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated at build time from the node pictures; do not edit.
#include \"export/NodePictures.h\"

namespace bv {
namespace {
${body}}  // namespace

static_assert(${count} == kNodePictureCount, \"one PNG file per node picture\");
const std::span<const unsigned char> kNodePicturePngs[kNodePictureCount] = {
${table}};

}  // namespace bv
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
