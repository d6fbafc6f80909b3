#include "browser/DetailPage.h"

#include "browser/DetailPageBuilder.h"
#include "browser/DetailPageStyles.h"
#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "config/Messages.h"

namespace bv {
namespace {

constexpr std::string_view kSevenBlanks = "       ";
constexpr std::string_view kTwoBlanks = "  ";

enum class Presentation {
  Link,
  Note,
  Hidden,
  Plain
};

class PageTexts {
 public:
  explicit PageTexts(const MessageFn& message) : message_(message) {}
  std::string operator()(int n) const { return Cp1252ToUtf8(message_(n)); }

 private:
  const MessageFn& message_;
};

// A labelled value: bullet and label, the value on the lines below, a spacer. An empty
// value draws nothing and enables nothing.
void FieldRow(PageBuilder& b, const PageTexts& text, int label, const std::string& value,
              Presentation how, std::optional<CopyField> copy) {
  if (value.empty()) return;
  b.NewLine(style::Name, text(label), Bullet::Field);
  const std::string v = Cp1252ToUtf8(value);
  switch (how) {
    case Presentation::Link:
      // The blanks stay outside the link, so only the address itself is clickable.
      b.NewLine(style::Value, kSevenBlanks);
      b.SameLine(style::AddressLink, v);
      b.SetKind(PageKind::AccountWithUrl);
      break;
    case Presentation::Note: b.NewLine(style::Value, std::string(kTwoBlanks) + v); break;
    case Presentation::Hidden:
      b.NewLine(style::Hidden, std::string(kSevenBlanks) + text(msg::kHiddenPlaceholder));
      copy.reset();
      break;
    case Presentation::Plain: b.NewLine(style::Value, std::string(kSevenBlanks) + v); break;
  }
  b.Spacer();
  if (copy) b.EnableCopy(*copy);
}

// The product name, the notice and the web address closing the welcome, empty-profile
// and summary pages.
void ProductFooter(PageBuilder& b, const PageTexts& text) {
  b.Centred(style::Product, kProductName);
  b.Centred(style::Notice, text(msg::kNotice));
  b.Spacer();
  b.Centred(style::AddressLink, kProductWebAddress);
}

std::string Quoted(const std::string& label, const std::string& value) {
  return label + " '" + Cp1252ToUtf8(value) + "'";
}

DetailPage IntroPage(PageKind kind, const std::string& title, const std::string& subtitle,
                     const MessageFn& message) {
  const PageTexts text(message);
  PageBuilder b(kind);
  b.Spacer();
  b.Centred(style::Title, title);
  b.Spacer();
  b.Centred(style::Subtitle, subtitle);
  b.Spacer(6);
  ProductFooter(b, text);
  return b.Finish({}, message);
}

}  // namespace

DetailPage BuildWelcomePage(const MessageFn& message) {
  const PageTexts text(message);
  return IntroPage(PageKind::Welcome, text(msg::kWelcome), text(msg::kWelcomeHint), message);
}

DetailPage BuildEmptyProfilePage(const TProfileHeader& header, const MessageFn& message) {
  const PageTexts text(message);
  return IntroPage(PageKind::EmptyProfile, Quoted(text(msg::kProfileOf), header.Owner),
                   text(msg::kEmptyProfile), message);
}

DetailPage BuildSummaryPage(const SummaryInfo& info, const MessageFn& message) {
  const PageTexts text(message);
  PageBuilder b(PageKind::Summary);
  b.Centred(style::Title, Quoted(text(msg::kProfileOf), info.Owner));
  b.Spacer();
  b.Centred(style::Subtitle, Quoted(text(msg::kTitled), info.Title));
  b.Spacer(2);
  b.NewLine(style::Section, text(msg::kProfileInformation));
  b.Spacer();

  const auto row = [&](int label) {
    b.NewBulletLine(Bullet::Link);
    b.SameLine(style::SummaryLabel, text(label) + " ");
  };
  row(msg::kSummaryFile);
  b.SameLine(style::SummaryValue, info.FileName);
  row(msg::kSummarySize);
  b.SameLine(style::SummaryValue, SizeInKb(info.SizeBytes));
  row(msg::kSummaryAccounts);
  b.SameLine(style::SummaryValue, std::to_string(info.Accounts));
  row(msg::kSummaryOthers);
  b.SameLine(style::SummaryValue, std::to_string(info.Others));
  row(msg::kSummaryModified);
  b.SameLineTime(style::SummaryValue, info.Modified);
  row(msg::kSummaryFormat);
  b.SameLine(style::SummaryValue, Cp1252ToUtf8(info.Magic));

  b.Spacer(3);
  ProductFooter(b, text);
  return b.Finish({}, message);
}

std::string TwoStepCodeText(const TotpSeed& seed, std::chrono::system_clock::time_point now,
                            const MessageFn& message) {
  const OneTimeCode code = CodeAt(seed, now);
  return Cp1252ToUtf8(
      FillIn(message(msg::kTwoStepCodeValue), {code.digits, std::to_string(code.secondsLeft)}));
}

DetailPage BuildAccountPage(const TNodeData& d, bool showHidden, const MessageFn& message,
                            std::chrono::system_clock::time_point now) {
  const PageTexts text(message);
  std::optional<TotpSeed> seed = SeedOfNotes(d.Notes);
  // The seed line is the key of the second factor: the page shows what it gives, never it.
  const std::string notes(NotesWithoutSeed(d.Notes));
  const bool a = !d.UserName.empty() || !d.Password.empty() || seed;
  const bool b = !d.Question.empty() || !d.Answer.empty() || !d.Mail.empty();
  const bool c = !d.Url.empty() || !d.AccountType.empty();
  const Presentation secret = showHidden ? Presentation::Plain : Presentation::Hidden;

  PageBuilder page(PageKind::Account);
  page.NewLine(style::HeadingLabel, text(msg::kAccountWord) + ": ");
  page.SameLine(style::Name, Cp1252ToUtf8(d.Name));
  page.Spacer();
  FieldRow(page, text, msg::kDescriptionLabel, d.Description, Presentation::Note, std::nullopt);
  FieldRow(page, text, msg::kNotesLabel, notes, Presentation::Note, std::nullopt);
  if (a || b || c) page.NewLine(style::Section, text(msg::kAccountDetails));
  FieldRow(page, text, msg::kUserNameLabel, d.UserName, Presentation::Plain, CopyField::User);
  FieldRow(page, text, msg::kPasswordLabel, d.Password, secret, CopyField::Pass);
  if (seed) {
    page.NewLine(style::Name, text(msg::kTwoStepCode), Bullet::Field);
    page.NewLine(style::Value, kSevenBlanks);
    page.SameLineLiveCode(style::Value, TwoStepCodeText(*seed, now, message));
    page.Spacer();
    page.EnableCopy(CopyField::Code);
  }
  if (a && (b || c)) page.Rule();
  FieldRow(page, text, msg::kQuestionLabel, d.Question, Presentation::Plain, CopyField::Preg);
  FieldRow(page, text, msg::kAnswerLabel, d.Answer, secret, CopyField::Resp);
  FieldRow(page, text, msg::kMailLabel, d.Mail, Presentation::Plain, CopyField::Mail);
  if (b && c) page.Rule();
  FieldRow(page, text, msg::kUrlLabel, d.Url, Presentation::Link, CopyField::URL);
  FieldRow(page, text, msg::kAccountTypeLabel, d.AccountType, Presentation::Plain, std::nullopt);
  page.NewLine(style::Section, text(msg::kAccountOptions));
  for (int label : {msg::kExportAsHtml, msg::kExportAsText, msg::kEditThisAccount}) {
    page.NewBulletLine(Bullet::Link);
    page.SameLine(style::CommandLink, text(label));
  }
  DetailPage built = page.Finish(Cp1252ToUtf8(d.Url), message);
  built.seed = std::move(seed);
  return built;
}

DetailPage BuildGroupPage(const TNodeData& d, const MessageFn& message) {
  const PageTexts text(message);
  PageBuilder b(PageKind::Group);
  b.NewLine(style::HeadingLabel, text(msg::kGroupWord) + ": ");
  b.SameLine(style::Name, Cp1252ToUtf8(d.Name));
  b.Spacer();
  if (!d.Description.empty()) {
    b.NewLine(style::Name, text(msg::kDescriptionLabel), Bullet::Field);
    b.NewLine(style::Value, std::string(kTwoBlanks) + Cp1252ToUtf8(d.Description));
    b.Spacer();
  }
  b.NewLine(style::Section, text(msg::kGroupOptions));
  b.NewBulletLine(Bullet::Link);
  b.SameLine(style::CommandLink, text(msg::kEditThisGroup));
  return b.Finish({}, message);
}

}  // namespace bv
