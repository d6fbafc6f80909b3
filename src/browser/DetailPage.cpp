#include "browser/DetailPage.h"

#include "browser/DetailPageBuilder.h"
#include "browser/DetailPageStyles.h"
#include "config/Cp1252.h"

namespace bv {
namespace {

constexpr std::string_view kSevenBlanks = "       ";
constexpr std::string_view kTwoBlanks = "  ";

enum class Presentation { Link, Note, Hidden, Plain };

class PageTexts {
 public:
  explicit PageTexts(const MessageFn& message) : message_(message) {}
  std::string operator()(int n) const { return Cp1252ToUtf8(message_(n)); }

 private:
  const MessageFn& message_;
};

// A labelled value: bullet and label, the value on the lines below, a spacer. An empty
// value draws nothing and enables nothing.
void FieldRow(PageBuilder& b, const PageTexts& msg, int label, const std::string& value,
              Presentation how, std::optional<CopyField> copy) {
  if (value.empty()) return;
  b.NewLine(style::Name, msg(label), Bullet::Field);
  const std::string v = Cp1252ToUtf8(value);
  switch (how) {
    case Presentation::Link:
      // The blanks stay outside the link, so only the address itself is clickable.
      b.NewLine(style::Value, kSevenBlanks);
      b.SameLine(style::AddressLink, v);
      b.SetKind(PageKind::AccountWithUrl);
      break;
    case Presentation::Note:
      b.NewLine(style::Value, std::string(kTwoBlanks) + v);
      break;
    case Presentation::Hidden:
      b.NewLine(style::Hidden, std::string(kSevenBlanks) + msg(kHiddenPlaceholderMessage));
      copy.reset();
      break;
    case Presentation::Plain:
      b.NewLine(style::Value, std::string(kSevenBlanks) + v);
      break;
  }
  b.Spacer();
  if (copy) b.EnableCopy(*copy);
}

// "Brindlevault 3.5", the notice and the web address closing the welcome, empty-profile
// and summary pages.
void ProductFooter(PageBuilder& b, const PageTexts& msg) {
  b.Centred(style::Product, kProductName);
  b.Centred(style::Notice, msg(kNoticeMessage));
  b.Spacer();
  b.Centred(style::AddressLink, kProductWebAddress);
}

std::string Quoted(const std::string& label, const std::string& value) {
  return label + " '" + Cp1252ToUtf8(value) + "'";
}

DetailPage IntroPage(PageKind kind, const std::string& title, const std::string& subtitle,
                     const MessageFn& message) {
  const PageTexts msg(message);
  PageBuilder b(kind);
  b.Spacer();
  b.Centred(style::Title, title);
  b.Spacer();
  b.Centred(style::Subtitle, subtitle);
  b.Spacer(6);
  ProductFooter(b, msg);
  return b.Finish({}, message);
}

}  // namespace

DetailPage BuildWelcomePage(const MessageFn& message) {
  const PageTexts msg(message);
  return IntroPage(PageKind::Welcome, msg(69), msg(70), message);
}

DetailPage BuildEmptyProfilePage(const TProfileHeader& header, const MessageFn& message) {
  const PageTexts msg(message);
  return IntroPage(PageKind::EmptyProfile, Quoted(msg(66), header.Owner), msg(67), message);
}

DetailPage BuildSummaryPage(const SummaryInfo& info, const MessageFn& message) {
  const PageTexts msg(message);
  PageBuilder b(PageKind::Summary);
  b.Centred(style::Title, Quoted(msg(66), info.Owner));
  b.Spacer();
  b.Centred(style::Subtitle, Quoted(msg(103), info.Title));
  b.Spacer(2);
  b.NewLine(style::Section, msg(96));
  b.Spacer();

  const auto row = [&](int label) {
    b.NewBulletLine(Bullet::Link);
    b.SameLine(style::SummaryLabel, msg(label) + " ");
  };
  row(97);
  b.SameLine(style::SummaryValue, info.FileName);
  row(98);
  b.SameLine(style::SummaryValue, SizeInKb(info.SizeBytes));
  row(99);
  b.SameLine(style::SummaryValue, std::to_string(info.Accounts));
  row(100);
  b.SameLine(style::SummaryValue, std::to_string(info.Others));
  row(101);
  b.SameLineTime(style::SummaryValue, info.Modified);
  row(102);
  b.SameLine(style::SummaryValue, Cp1252ToUtf8(info.Magic));

  b.Spacer(3);
  ProductFooter(b, msg);
  return b.Finish({}, message);
}

DetailPage BuildAccountPage(const TNodeData& d, bool showHidden, const MessageFn& message) {
  const PageTexts msg(message);
  const bool a = !d.UserName.empty() || !d.Password.empty();
  const bool b = !d.Question.empty() || !d.Answer.empty() || !d.Mail.empty();
  const bool c = !d.Url.empty() || !d.AccountType.empty();
  const Presentation secret = showHidden ? Presentation::Plain : Presentation::Hidden;

  PageBuilder page(PageKind::Account);
  page.NewLine(style::HeadingLabel, msg(8) + ": ");
  page.SameLine(style::Name, Cp1252ToUtf8(d.Name));
  page.Spacer();
  FieldRow(page, msg, 76, d.Description, Presentation::Note, std::nullopt);
  FieldRow(page, msg, 78, d.Notes, Presentation::Note, std::nullopt);
  if (a || b || c) page.NewLine(style::Section, msg(71));
  FieldRow(page, msg, 80, d.UserName, Presentation::Plain, CopyField::User);
  FieldRow(page, msg, 82, d.Password, secret, CopyField::Pass);
  if (a && (b || c)) page.Rule();
  FieldRow(page, msg, 84, d.Question, Presentation::Plain, CopyField::Preg);
  FieldRow(page, msg, 86, d.Answer, secret, CopyField::Resp);
  FieldRow(page, msg, 88, d.Mail, Presentation::Plain, CopyField::Mail);
  if (b && c) page.Rule();
  FieldRow(page, msg, 90, d.Url, Presentation::Link, CopyField::URL);
  FieldRow(page, msg, 92, d.AccountType, Presentation::Plain, std::nullopt);
  page.NewLine(style::Section, msg(60));
  for (int label : {65, 64, 62}) {
    page.NewBulletLine(Bullet::Link);
    page.SameLine(style::CommandLink, msg(label));
  }
  return page.Finish(Cp1252ToUtf8(d.Url), message);
}

DetailPage BuildGroupPage(const TNodeData& d, const MessageFn& message) {
  const PageTexts msg(message);
  PageBuilder b(PageKind::Group);
  b.NewLine(style::HeadingLabel, msg(11) + ": ");
  b.SameLine(style::Name, Cp1252ToUtf8(d.Name));
  b.Spacer();
  if (!d.Description.empty()) {
    b.NewLine(style::Name, msg(76), Bullet::Field);
    b.NewLine(style::Value, std::string(kTwoBlanks) + Cp1252ToUtf8(d.Description));
    b.Spacer();
  }
  b.NewLine(style::Section, msg(61));
  b.NewBulletLine(Bullet::Link);
  b.SameLine(style::CommandLink, msg(63));
  return b.Finish({}, message);
}

}  // namespace bv
