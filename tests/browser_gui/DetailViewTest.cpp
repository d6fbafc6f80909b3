// The detail view's pages as a user sees them, and what their links do when clicked or
// hovered.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "support/gui/ViewProbe.h"

namespace bv {
namespace {

using test::PointInside;

const QString kBullet = QString(QChar(QChar::ObjectReplacementCharacter));

TNodeData Acme() {
  TNodeData d = TNodeData::Create(NodeKind::Account, 0);
  d.Name = "Acme";
  return d;
}

class DetailViewTest : public ::testing::Test {
 protected:
  DetailViewTest() {
    view_.SetMessageSource(test::SpanishMessages());
    view_.resize(520, 600);
    view_.show();
  }

  QString LinkAt(const QString& text) { return view_.anchorAt(PointInside(view_, text)); }
  void Click(const QString& text) {
    QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, PointInside(view_, text));
  }
  void Hover(const QString& text) { QTest::mouseMove(view_.viewport(), PointInside(view_, text)); }
  void HoverNothing() { QTest::mouseMove(view_.viewport(), QPoint(500, 590)); }

  DetailView view_;
};

TEST_F(DetailViewTest, WelcomePageShowsTitlesProductAndAddress) {
  view_.ShowWelcomePage();
  EXPECT_EQ(view_.objectName(), "Resulta");
  EXPECT_EQ(view_.PageKind(), PageKind::Welcome);
  EXPECT_EQ(view_.toPlainText(),
            " \nBienvenido\n \nAbra un perfil para empezar\n \n \n \n \n \n \n"
            "Brindlevault 3.5\nGuarde copias de sus perfiles\n \nhttps://www.brindlevault.org");
  EXPECT_EQ(LinkAt("https://www.brindlevault.org"), "0");
}

TEST_F(DetailViewTest, AccountWithOnlyANameShowsOnlyItsCommandLinks) {
  const CopyFields copy = view_.ShowAccountPage(Acme(), false);
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(view_.PageKind(), PageKind::Account);
  EXPECT_EQ(view_.toPlainText(), "Cuenta: Acme\n \nAcciones\n" + kBullet + "Exportar como HTML\n" +
                                     kBullet + "Exportar como texto\n" + kBullet +
                                     "Editar la cuenta");
  EXPECT_EQ(LinkAt("Exportar como HTML"), "0");
  EXPECT_EQ(LinkAt("Exportar como texto"), "1");
  EXPECT_EQ(LinkAt("Editar la cuenta"), "2");
  EXPECT_EQ(LinkAt("Acme"), "");
}

TEST_F(DetailViewTest, HiddenPasswordShowsThePlaceholderUntilShown) {
  TNodeData d = Acme();
  d.UserName = "ana";
  d.Password = "s3cret";
  EXPECT_EQ(view_.ShowAccountPage(d, false), CopyFields{CopyField::User});
  EXPECT_TRUE(view_.toPlainText().contains("Contrase\u00F1a\n       (oculta)\n"));
  EXPECT_FALSE(view_.toPlainText().contains("s3cret"));

  EXPECT_EQ(view_.ShowAccountPage(d, true), (CopyFields{CopyField::User, CopyField::Pass}));
  EXPECT_TRUE(view_.toPlainText().contains("Contrase\u00F1a\n       s3cret\n"));
}

// The notes' seed line is never drawn: a code row is, and each second writes the code anew
// in place, so what "Mostrar ocultos" revealed stays revealed.
TEST_F(DetailViewTest, ASeedShowsItsCodeKeptUpToDateNeverItself) {
  TNodeData d = Acme();
  d.Password = "s3cret";
  d.Notes = "PIN 1234\r\nTOTP: jbsw y3dp ehpk 3pxp";
  const TotpSeed seed = *SeedOfNotes(d.Notes);
  const std::string before = CurrentCode(seed).digits;
  EXPECT_EQ(view_.ShowAccountPage(d, true), (CopyFields{CopyField::Pass, CopyField::Code}));
  const std::string after = CurrentCode(seed).digits;
  const QString page = view_.toPlainText();
  EXPECT_TRUE(page.contains("Notas\n  PIN 1234\n \n")) << page.toStdString();
  EXPECT_FALSE(page.contains("TOTP", Qt::CaseInsensitive));
  EXPECT_FALSE(page.contains("jbsw", Qt::CaseInsensitive));
  const auto row = [](const std::string& code) {
    return QString::fromStdString(
        "C\xC3\xB3"
        "digo de dos pasos\n       " +
        code + " (quedan ");
  };
  EXPECT_TRUE(page.contains(row(before)) || page.contains(row(after))) << page.toStdString();

  // The clock's next second writes the seconds left anew by itself.
  EXPECT_TRUE(QTest::qWaitFor([&] { return view_.toPlainText() != page; }, 3000));
  EXPECT_TRUE(view_.toPlainText().contains("s3cret"));

  for (const std::time_t later : {1700000000, 1700000045}) {  // twice: the second finds the first
    const auto when = std::chrono::system_clock::from_time_t(later);
    view_.UpdateTwoStepCode(when);
    const OneTimeCode code = CodeAt(seed, when);
    const QString updated = view_.toPlainText();
    EXPECT_TRUE(updated.contains(row(code.digits) + QString::number(code.secondsLeft) + " s)\n"))
        << updated.toStdString();
    EXPECT_TRUE(updated.contains("s3cret"));  // not drawn again
  }

  // A line that gives no code is hidden too, and gives no row.
  d.Notes = "TOTP: 0189";
  EXPECT_EQ(view_.ShowAccountPage(d, false), CopyFields{});
  EXPECT_FALSE(view_.toPlainText().contains("0189"));
  EXPECT_FALSE(view_.toPlainText().contains("dos pasos"));
}

TEST_F(DetailViewTest, MultiLineValuesKeepTheirLinesAndBlankLines) {
  TNodeData d = Acme();
  d.Description = "uno\r\n\r\ndos <b>&amp;</b>\r\n";
  view_.ShowAccountPage(d, false);
  EXPECT_TRUE(
      view_.toPlainText().contains(kBullet + "Descripci\u00F3n\n  uno\n\ndos <b>&amp;</b>\n\n \n"))
      << view_.toPlainText().toStdString();
}

// Clicking each link of each kind of page: which request the main window receives.
TEST_F(DetailViewTest, ClicksRequestWhatTheLinkStandsFor) {
  QSignalSpy open(&view_, &DetailView::openUrlRequested);
  QSignalSpy html(&view_, &DetailView::exportHtmlRequested);
  QSignalSpy text(&view_, &DetailView::exportTextRequested);
  QSignalSpy edit(&view_, &DetailView::editRequested);
  const auto counts = [&] {
    return std::vector<qsizetype>{open.count(), html.count(), text.count(), edit.count()};
  };
  using C = std::vector<qsizetype>;

  {
    TNodeData d = Acme();
    d.Url = "https://acme.example/entrar";
    view_.ShowAccountPage(d, false);
  }  // the view keeps what it needs of the node
  EXPECT_EQ(view_.PageKind(), PageKind::AccountWithUrl);
  EXPECT_EQ(LinkAt("acme.example"), "0");
  Click("acme.example");
  ASSERT_EQ(open.count(), 1);
  EXPECT_EQ(open.at(0).at(0).toString(), "https://acme.example/entrar");
  Click("Exportar como HTML");
  EXPECT_EQ(counts(), (C{1, 1, 0, 0}));
  Click("Exportar como texto");
  EXPECT_EQ(counts(), (C{1, 1, 1, 0}));
  Click("Editar la cuenta");
  EXPECT_EQ(counts(), (C{1, 1, 1, 1}));
  Click("Acme");  // not a link
  EXPECT_EQ(counts(), (C{1, 1, 1, 1}));

  view_.ShowAccountPage(Acme(), false);
  Click("Exportar como HTML");
  Click("Exportar como texto");
  Click("Editar la cuenta");
  EXPECT_EQ(counts(), (C{1, 2, 2, 2}));

  TNodeData group = TNodeData::Create(NodeKind::Group, 1);
  group.Name = "Correo";
  view_.ShowGroupPage(group);
  EXPECT_EQ(view_.PageKind(), PageKind::Group);
  Click("Editar el grupo");
  EXPECT_EQ(counts(), (C{1, 2, 2, 3}));

  TProfileHeader header{"Brindlevault_3", "Ana", "Casa", ""};
  view_.ShowEmptyProfilePage(header);
  EXPECT_EQ(view_.PageKind(), PageKind::EmptyProfile);
  Click("brindlevault.org");
  ASSERT_EQ(open.count(), 2);
  EXPECT_EQ(open.at(1).at(0).toString(), "https://www.brindlevault.org");
  EXPECT_EQ(counts(), (C{2, 2, 2, 3}));
}

TEST_F(DetailViewTest, HoverPutsTheLinksTextInTheStatusBarAndDrawsItRed) {
  TNodeData d = Acme();
  d.Url = "https://acme.example";
  view_.ShowAccountPage(d, false);
  QSignalSpy status(&view_, &DetailView::statusTextChanged);
  const auto texts = [&] {
    QStringList list;
    for (const auto& args : status) list << args.at(0).toString();
    status.clear();
    return list;
  };

  Hover("acme.example");
  EXPECT_EQ(texts(), (QStringList{"", "https://acme.example"}));
  EXPECT_EQ(test::FormatOf(view_, "acme.example").foreground().color(), QColor(Qt::red));
  EXPECT_EQ(view_.viewport()->cursor().shape(), Qt::PointingHandCursor);

  Hover("Exportar como HTML");
  EXPECT_EQ(texts(), (QStringList{"", "Guardar la cuenta como HTML"}));
  EXPECT_EQ(test::FormatOf(view_, "acme.example").foreground().color(), QColor(Qt::blue));
  EXPECT_EQ(test::FormatOf(view_, "Exportar como HTML").foreground().color(), QColor(Qt::red));
  Hover("Exportar como texto");
  EXPECT_EQ(texts(), (QStringList{"", "Guardar la cuenta como texto"}));
  Hover("Editar la cuenta");
  EXPECT_EQ(texts(), (QStringList{"", "Editar los datos"}));

  HoverNothing();
  EXPECT_EQ(texts(), (QStringList{""}));
  EXPECT_EQ(test::FormatOf(view_, "Editar la cuenta").foreground().color(), QColor(Qt::black));
  EXPECT_NE(view_.viewport()->cursor().shape(), Qt::PointingHandCursor);

  // Leaving the view straight from a link lets go of it too.
  Hover("acme.example");
  texts();
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(view_.viewport(), &leave);
  EXPECT_EQ(texts(), (QStringList{""}));
  EXPECT_EQ(test::FormatOf(view_, "acme.example").foreground().color(), QColor(Qt::blue));
}

TEST_F(DetailViewTest, SummaryShowsTheProfileFacts) {
  SummaryInfo info;
  info.FileName = "mis cuentas.bv3";
  info.SizeBytes = 2047;
  info.Accounts = 7;
  info.Others = 2;
  const QDateTime modified(QDate(2009, 2, 13), QTime(23, 31, 30));
  info.Modified = std::chrono::system_clock::time_point(
      std::chrono::milliseconds(modified.toMSecsSinceEpoch()));
  info.Owner = "Jos\xE9";
  info.Title = "Casa";
  info.Magic = "Brindlevault_3";
  const QLocale spanish(QLocale::Spanish, QLocale::Spain);
  view_.setLocale(spanish);
  view_.ShowProfileSummary(info);

  EXPECT_EQ(view_.PageKind(), PageKind::Summary);
  const QString text = view_.toPlainText();
  EXPECT_TRUE(text.startsWith("Perfil de 'Jos\u00E9'\n \nT\u00EDtulo 'Casa'\n"))
      << text.toStdString();
  for (const QString& row :
       QStringList{"Archivo: mis cuentas.bv3", "Tama\u00F1o: 1 Kb", "Cuentas: 7",
                   "Categor\u00EDas y grupos: 2", "Formato: Brindlevault_3"})
    EXPECT_TRUE(text.contains(kBullet + row + "\n")) << row.toStdString();
  const QString when = spanish.toString(modified.date(), QLocale::ShortFormat) + ' ' +
                       spanish.toString(modified.time(), QLocale::LongFormat);
  EXPECT_TRUE(text.contains(kBullet + "Modificado: " + when + "\n")) << text.toStdString();
  EXPECT_TRUE(when.contains("23:31:30"));
  EXPECT_EQ(LinkAt("brindlevault.org"), "0");
}

}  // namespace
}  // namespace bv
