#pragma once
// The line primitives the pages are written with: new line, same line, spacer, centred
// line, rule. Texts are UTF-8; a text with line breaks becomes one paragraph per line.

#include <string_view>

#include "browser/DetailPage.h"

namespace bv {

class PageBuilder {
 public:
  explicit PageBuilder(PageKind kind) { page_.kind = kind; }

  // Starts a paragraph (with an optional bullet) and writes text into it.
  void NewLine(int style, std::string_view text, Bullet bullet = Bullet::None);
  // A paragraph holding only a bullet; SameLine continues it.
  void NewBulletLine(Bullet bullet);
  void SameLine(int style, std::string_view text);
  void SameLineTime(int style, std::chrono::system_clock::time_point time);
  // The two-step code, which the view keeps up to date.
  void SameLineLiveCode(int style, std::string text);
  void Centred(int style, std::string_view text);
  void Spacer(int count = 1);
  void Rule();

  void SetKind(PageKind kind) { page_.kind = kind; }
  PageKind Kind() const { return page_.kind; }
  void EnableCopy(CopyField field) { page_.copy.Add(field); }

  // Gives every link its action and hover text by the page's kind.
  DetailPage Finish(std::string_view accountUrl, const MessageFn& message);

 private:
  void Write(int style, std::string_view text);
  PageParagraph& Current();

  DetailPage page_;
  int linkCount_ = 0;
};

}  // namespace bv
