#include "browser/DetailPageBuilder.h"

#include "browser/DetailPageStyles.h"
#include "config/Cp1252.h"
#include "config/MessageIds.h"

namespace bv {
namespace {

// Splits at CR LF, LF or CR; a text without breaks is one line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

// The click and hover tables of the detail view, by page kind and link number.
PageLink Behaviour(PageKind kind, int n, std::string_view url, const MessageFn& message) {
  const auto text = [&](int m) { return Cp1252ToUtf8(message(m)); };
  switch (kind) {
    case PageKind::Account: {
      static constexpr LinkAction kActions[] = {LinkAction::ExportHtml, LinkAction::ExportText,
                                                LinkAction::Edit};
      static constexpr int kHints[] = {msg::kExportHtmlHint, msg::kExportTextHint,
                                       msg::kEditThisItemHint};
      if (n > 2) break;
      return {kActions[n], {}, text(kHints[n])};
    }
    case PageKind::AccountWithUrl: {
      if (n == 0) return {LinkAction::OpenAddress, std::string(url), std::string(url)};
      return Behaviour(PageKind::Account, n - 1, url, message);
    }
    case PageKind::Group:
      return {LinkAction::Edit, {}, n == 0 ? text(msg::kEditThisItemHint) : std::string()};
    case PageKind::EmptyProfile:
    case PageKind::Welcome:
    case PageKind::Summary:
      return {LinkAction::OpenAddress, std::string(kProductWebAddress),
              n == 0 ? std::string(kProductWebAddress) : std::string()};
  }
  return {LinkAction::None, {}, {}};
}

}  // namespace

PageParagraph& PageBuilder::Current() {
  if (page_.paragraphs.empty() || page_.paragraphs.back().rule) page_.paragraphs.emplace_back();
  return page_.paragraphs.back();
}

void PageBuilder::Write(int style, std::string_view text) {
  // Every line of one linked text belongs to the same link.
  const int link = IsLinkStyle(style) ? linkCount_++ : -1;
  const auto lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      PageParagraph next;
      next.centred = Current().centred;
      page_.paragraphs.push_back(std::move(next));
    }
    Current().pieces.push_back({std::string(lines[i]), style, link, std::nullopt});
  }
}

void PageBuilder::NewLine(int style, std::string_view text, Bullet bullet) {
  NewBulletLine(bullet);
  Write(style, text);
}

void PageBuilder::NewBulletLine(Bullet bullet) {
  PageParagraph p;
  p.bullet = bullet;
  page_.paragraphs.push_back(std::move(p));
}

void PageBuilder::SameLine(int style, std::string_view text) { Write(style, text); }

void PageBuilder::SameLineTime(int style, std::chrono::system_clock::time_point time) {
  Current().pieces.push_back({{}, style, -1, time});
}

void PageBuilder::SameLineLiveCode(int style, std::string text) {
  PagePiece piece{std::move(text), style, -1, std::nullopt};
  piece.liveCode = true;
  Current().pieces.push_back(std::move(piece));
}

void PageBuilder::Centred(int style, std::string_view text) {
  PageParagraph p;
  p.centred = true;
  page_.paragraphs.push_back(std::move(p));
  Write(style, text);
}

void PageBuilder::Spacer(int count) {
  for (int i = 0; i < count; ++i) NewLine(style::Spacer, " ");
}

void PageBuilder::Rule() {
  PageParagraph p;
  p.rule = true;
  page_.paragraphs.push_back(std::move(p));
}

DetailPage PageBuilder::Finish(std::string_view accountUrl, const MessageFn& message) {
  page_.links.clear();
  for (int n = 0; n < linkCount_; ++n)
    page_.links.push_back(Behaviour(page_.kind, n, accountUrl, message));
  return std::move(page_);
}

}  // namespace bv
