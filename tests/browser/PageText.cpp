#include "PageText.h"

namespace bv::test {

std::vector<std::string> Lines(const DetailPage& page) {
  std::vector<std::string> lines;
  for (const PageParagraph& p : page.paragraphs) {
    if (p.rule) {
      lines.push_back("----");
      continue;
    }
    std::string line = p.centred ? "^" : "";
    if (p.bullet == Bullet::Field) line += "*F ";
    if (p.bullet == Bullet::Link) line += "*L ";
    for (const PagePiece& piece : p.pieces) {
      line += "{" + std::to_string(piece.style);
      if (piece.link >= 0) line += "#" + std::to_string(piece.link);
      if (piece.time) line += "@";
      line += "}" + piece.text;
    }
    lines.push_back(line);
  }
  return lines;
}

MessageFn FixedMessages(std::map<int, std::string> overrides) {
  return [overrides = std::move(overrides)](int n) {
    const auto it = overrides.find(n);
    return it != overrides.end() ? it->second : "M" + std::to_string(n);
  };
}

}  // namespace bv::test
