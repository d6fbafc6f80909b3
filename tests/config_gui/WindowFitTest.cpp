// Every window at the size it opens with, in every shipped language, in the toolkit's font
// and in one half as large again (a desktop's larger text): no text cut short or covered, and
// no control outside its window. With BV_WINDOW_SHOTS naming a folder, each window is also saved
// there as "<language> <font size>pt <window>.png", for a person to look at.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "app/BrowserQuestions.h"
#include "app/BrowserTexts.h"
#include "app/TFAcerca.h"
#include "app/TFResumenCombinacion.h"
#include "app/ToolCommands.h"
#include "app/ToolkitTranslation.h"
#include "browser/TFAddCuenta.h"
#include "browser/TFAddGrupo.h"
#include "browser/TFAddSubGrupo.h"
#include "browser/TFCodigoDosPasos.h"
#include "browser/TFEditarCuenta.h"
#include "browser/TFEditarGrupo.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "config/TFIdiomaInicio.h"
#include "export/TFExportarPerfil.h"
#include "profile/ProfileMerge.h"
#include "profiledialogs/TFCambiarPass.h"
#include "profiledialogs/TFEditarPerfil.h"
#include "profiledialogs/TFInicioSesion.h"
#include "profiledialogs/TFNuevoPerfil.h"
#include "support/LanguageKeys.h"
#include "support/ScratchFolder.h"
#include "support/gui/ToolWindow.h"
#include "tools/TFBusqueda.h"
#include "tools/TFGenPass.h"
#include "tools/TFSaludClaves.h"

namespace bv {
namespace {

QString Described(const QWidget* control) {
  if (!control->objectName().isEmpty()) return control->objectName();
  QString text;
  if (const auto* label = qobject_cast<const QLabel*>(control)) text = label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) text = button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(control)) text = group->title();
  return QStringLiteral("%1 \"%2\"").arg(control->metaObject()->className(), text.left(40));
}

// Controls whose contents scroll are not cut by their window: the user scrolls to them.
bool InsideScrolledPage(const QWidget* control, const QWidget* window) {
  for (const QWidget* up = control->parentWidget(); up && up != window; up = up->parentWidget())
    if (qobject_cast<const QAbstractScrollArea*>(up)) return true;
  return false;
}

// Why control's text does not show whole at its present size; empty when it does.
QString CutText(const QWidget* control) {
  const QSize size = control->size();
  auto narrower = [&](const QSize& wanted) {
    return size.width() < wanted.width() || size.height() < wanted.height();
  };
  auto report = [&](const QSize& wanted) {
    return QStringLiteral("%1x%2, needs %3x%4")
        .arg(size.width())
        .arg(size.height())
        .arg(wanted.width())
        .arg(wanted.height());
  };
  if (const auto* label = qobject_cast<const QLabel*>(control)) {
    if (label->text().isEmpty()) return {};
    if (label->wordWrap()) {
      const int height = label->heightForWidth(size.width());
      return height > size.height() ? report({size.width(), height}) : QString();
    }
    return narrower(label->sizeHint()) ? report(label->sizeHint()) : QString();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
    if (button->text().isEmpty()) return {};
    const auto* tool = qobject_cast<const QToolButton*>(button);
    if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly) return {};
    return narrower(button->sizeHint()) ? report(button->sizeHint()) : QString();
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
    // A group's smallest size holds its title.
    return size.width() < group->minimumSizeHint().width() ? report(group->minimumSizeHint())
                                                           : QString();
  }
  return {};
}

// A visible control beside a text of control that covers part of it.
const QWidget* OverlappedSibling(const QWidget* control) {
  const bool text = qobject_cast<const QLabel*>(control) ||
                    qobject_cast<const QAbstractButton*>(control) ||
                    qobject_cast<const QGroupBox*>(control);
  if (!text || !control->parentWidget()) return nullptr;
  for (const QObject* child : control->parentWidget()->children()) {
    const auto* other = qobject_cast<const QWidget*>(child);
    if (other && other != control && !other->isWindow() && other->isVisible() &&
        other->geometry().intersects(control->geometry()))
      return other;
  }
  return nullptr;
}

// Every visible control of window whose text is cut or which lies outside the window.
QStringList FaultsOf(const QWidget* window) {
  QStringList faults;
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    if (!control->isVisibleTo(window) || control->isWindow() || control->window() != window)
      continue;
    if (qobject_cast<const QToolBar*>(control->parentWidget())) continue;  // icons only
    if (const QString cut = CutText(control); !cut.isEmpty())
      faults << Described(control) + QStringLiteral(": text cut, ") + cut;
    if (const QWidget* other = OverlappedSibling(control))
      faults << Described(control) + QStringLiteral(": overlaps ") + Described(other);
    const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
    if (!InsideScrolledPage(control, window) && !window->rect().contains(place))
      faults << Described(control) + QStringLiteral(": outside the window");
  }
  return faults;
}

// The windows of the program, each opened as the program opens it with the sample profile.
struct Opening {
  const char* name;
  // Shows the window over the main window and runs look on it while it is shown.
  std::function<void(test::ToolWindow&, const std::function<void(QWidget*)>& look)> open;
};

// Shows a window made for the occasion, and closes it after the look.
template <class Make>
auto Made(Make make) {
  return [make](test::ToolWindow& t, const std::function<void(QWidget*)>& look) {
    std::unique_ptr<QWidget> window = make(t);
    window->show();
    QApplication::processEvents();
    look(window.get());
  };
}

// Opens a modal window by run, and looks at it while it waits for an answer.
void Modal(const std::function<void()>& run, const std::function<void(QWidget*)>& look) {
  auto answer = test::WhenModal([&look](QDialog* dialog) {
    look(dialog);
    dialog->reject();
  });
  run();
}

// A question of the browser's, asked over the main window as the program asks it.
template <class Ask>
auto Asked(Ask ask) {
  return [ask](test::ToolWindow& t, const std::function<void(QWidget*)>& look) {
    QtBrowserQuestions questions(&t.window());
    Modal([&] { ask(questions); }, look);
  };
}

test::FakeBoxes gBoxes;
test::FakeFiles gFiles;
const std::string gNoPassword;

MergedProfile OneAddedAccount() {
  ProfileTree base, ours;
  for (ProfileTree* tree : {&base, &ours})
    tree->Append(nullptr, TNodeData::Create(NodeKind::Category, 1))->data.Name = "Correo";
  ours.Append(ours.First(), TNodeData::Create(NodeKind::Account, 1))->data.Name = "Banco";
  const TProfileHeader header;
  const ProfileVersion b{header, base};
  return MergeProfiles(&b, {header, ours}, {header, base}, MessageText(msg::kConflictCopyName));
}

const std::vector<Opening>& Openings() {
  using Look = std::function<void(QWidget*)>;
  static const std::vector<Opening> openings = {
      {"FPrincipal", [](test::ToolWindow& t, const Look& look) { look(&t.window()); }},
      {"FAddCuenta",
       Made([](test::ToolWindow& t) { return std::make_unique<TFAddCuenta>(&t.window()); })},
      {"FEditarCuenta",
       Made([](test::ToolWindow& t) { return std::make_unique<TFEditarCuenta>(&t.window()); })},
      {"FAddGrupo",
       Made([](test::ToolWindow& t) { return std::make_unique<TFAddGrupo>(&t.window()); })},
      {"FAddSubGrupo",
       Made([](test::ToolWindow& t) { return std::make_unique<TFAddSubGrupo>(&t.window()); })},
      {"FEditarGrupo",
       Made([](test::ToolWindow& t) { return std::make_unique<TFEditarGrupo>(&t.window()); })},
      {"FCodigoDosPasos", Made([](test::ToolWindow& t) {
         return std::make_unique<TFCodigoDosPasos>(std::string(), &t.window());
       })},
      {"FGenPass",
       Made([](test::ToolWindow& t) { return std::make_unique<TFGenPass>(&t.window()); })},
      {"FBusqueda", Made([](test::ToolWindow& t) {
         return std::make_unique<TFBusqueda>(test::Inside(t.window()).Tree(), &t.window());
       })},
      {"FSaludClaves",
       [](test::ToolWindow& t, const Look& look) {
         t.Trigger("ActSaludClaves");
         auto* report = t.window().findChild<TFSaludClaves*>();
         ASSERT_NE(report, nullptr);
         look(report);
         report->close();
       }},
      {"FResumenCombinacion", Made([](test::ToolWindow& t) {
         return std::make_unique<TFResumenCombinacion>(OneAddedAccount(), &t.window());
       })},
      {"FCambiarPass", Made([](test::ToolWindow& t) {
         return std::make_unique<TFCambiarPass>(
             gBoxes, gNoPassword, [](const std::string&) { return false; }, &t.window());
       })},
      {"FEditarPerfil", Made([](test::ToolWindow& t) {
         return std::make_unique<TFEditarPerfil>(
             TProfileHeader{}, [](const std::string&, const std::string&) { return false; },
             &t.window());
       })},
      {"FInicioSesion",
       Made([](test::ToolWindow& t) { return std::make_unique<TFInicioSesion>(&t.window()); })},
      {"FNuevoPerfil", Made([](test::ToolWindow& t) {
         return std::make_unique<TFNuevoPerfil>(
             gBoxes, gFiles, [](const NewProfileRequest&) { return false; }, &t.window());
       })},
      {"FExportarPerfil", Made([](test::ToolWindow& t) {
         return std::make_unique<TFExportarPerfil>(gBoxes, &t.window());
       })},
      {"FOpciones", [](test::ToolWindow& t,
                       const Look& look) { Modal([&t] { t.Trigger("ActConfiguracion"); }, look); }},
      {"FIdiomaInicio", Made([](test::ToolWindow& t) {
         return std::make_unique<TFIdiomaInicio>([] {}, [](const QString&) {}, &t.window());
       })},
      {"FAcerca", Made([](test::ToolWindow& t) {
         return std::make_unique<TFAcerca>([](const QString&) {}, &t.window());
       })},
      {"FPermitirConexion", Asked([](BrowserQuestions& questions) {
         static_cast<void>(questions.AllowConnection(
             Msg(kMsgAskConnection).arg(QStringLiteral("q2vT8rZk")), Msg(kMsgBrowserPlace)));
       })},
      {"FPermitirSitio", Asked([](BrowserQuestions& questions) {
         static_cast<void>(questions.AllowSite(
             Msg(kMsgAskSite)
                 .arg(QStringLiteral("Banco"), QStringLiteral("accounts.example.com"))));
       })},
      {"FGuardarAcceso", Asked([](BrowserQuestions& questions) {
         static_cast<void>(questions.SaveLogin(Msg(kMsgAskNewLogin)
                                                   .arg(QStringLiteral("ana.perez"),
                                                        QStringLiteral("accounts.example.com"),
                                                        Msg(kMsgBrowserPlace))));
       })},
  };
  return openings;
}

// A home where every browser the options offer has its folder, so that all of them are shown.
class HomeWithBrowsers {
 public:
  HomeWithBrowsers() : before_(qgetenv("HOME")) {
    for (const char* folder :
         {".mozilla", ".config/chromium", ".config/google-chrome",
          ".config/BraveSoftware/Brave-Browser", ".config/vivaldi", ".config/microsoft-edge"})
      std::filesystem::create_directories(home_.path() / folder);
    qputenv("HOME", QByteArray::fromStdString(home_.path().string()));
  }
  ~HomeWithBrowsers() { qputenv("HOME", before_); }

 private:
  test::ScratchFolder home_;
  QByteArray before_;
};

// A language, and how much larger than the toolkit's the font is.
using LanguageAndFont = std::tuple<test::ShippedLanguage, double>;

class WindowFit : public ::testing::TestWithParam<LanguageAndFont> {
 protected:
  WindowFit() : font_(QApplication::font()) {
    QFont larger = font_;
    larger.setPointSizeF(font_.pointSizeF() * std::get<1>(GetParam()));
    QApplication::setFont(larger);
  }
  ~WindowFit() override { QApplication::setFont(font_); }

  void TearDown() override {
    // Back to the Spanish of the program folder, which later tests take for granted.
    SetActiveLanguageFile(t_.Language("Espa\xC3\xB1ol.lng"));
    FollowProgramLanguage();
  }

  void Look(const QString& window, QWidget* shown) {
    // As the user sees it: laid out after its texts were set, grown to them.
    for (int turn = 0; turn < 3; ++turn) QApplication::processEvents();
    const QString language =
        QStringLiteral("%1 %2pt").arg(QString::fromLatin1(std::get<0>(GetParam()).testName),
                                      QString::number(QApplication::font().pointSizeF()));
    for (const QString& fault : FaultsOf(shown))
      ADD_FAILURE() << language.toStdString() << " / " << window.toStdString() << " / "
                    << fault.toStdString();
    if (const QString folder = qEnvironmentVariable("BV_WINDOW_SHOTS"); !folder.isEmpty()) {
      QDir().mkpath(folder);
      shown->grab().save(QDir(folder).filePath(language + ' ' + window + ".png"));
      // A page that scrolls, whole.
      for (const QScrollArea* area : shown->findChildren<QScrollArea*>())
        if (area->widget())
          area->widget()->grab().save(QDir(folder).filePath(language + ' ' + window + " " +
                                                            area->objectName() + " page.png"));
    }
  }

  QFont font_;
  HomeWithBrowsers home_;
  test::ToolWindow t_;
};

TEST_P(WindowFit, EveryWindowShowsItsTextsUncut) {
  TFPrincipal& w = t_.Start();
  test::Inside(w).SelectNode(t_.LoadAccounts());
  SetActiveLanguageFile(std::filesystem::path(BV_SOURCE_DIR) / "res" /
                        std::filesystem::path(std::u8string(
                            reinterpret_cast<const char8_t*>(std::get<0>(GetParam()).utf8Name))));
  test::Inside(w).ApplyLanguage();
  QApplication::processEvents();  // the windows' change of language
  for (const Opening& opening : Openings()) {
    bool looked = false;
    opening.open(t_, [&](QWidget* window) {
      Look(QString::fromLatin1(opening.name), window);
      looked = true;
    });
    EXPECT_TRUE(looked) << opening.name;
  }
  // The main window's menus, each dropped down in turn.
  for (QAction* heading : w.menuBar()->actions()) {
    QMenu* menu = heading->menu();
    if (!menu) continue;
    menu->popup(w.mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    Look(QStringLiteral("FPrincipal %1").arg(heading->objectName()), menu);
    menu->hide();
  }
}

// The check itself: each kind of fault in a window of its own, and a sound window.
TEST(WindowFitCheck, FindsEachKindOfFault) {
  const QString longText = QStringLiteral("Un texto bastante largo para una ventana tan estrecha");
  const struct {
    const char* name;
    std::function<void(QWidget&)> build;
    const char* fault;  // null: none
  } cases[] = {
      {"sound", [&](QWidget& w) { (new QLabel(QStringLiteral("Hola"), &w))->adjustSize(); },
       nullptr},
      {"narrow label", [&](QWidget& w) { (new QLabel(longText, &w))->resize(60, 20); }, "text cut"},
      {"short wrapped label",
       [&](QWidget& w) {
         auto* label = new QLabel(longText, &w);
         label->setWordWrap(true);
         label->resize(100, label->fontMetrics().height());
       },
       "text cut"},
      {"narrow check box", [&](QWidget& w) { (new QCheckBox(longText, &w))->resize(60, 24); },
       "text cut"},
      {"narrow group", [&](QWidget& w) { (new QGroupBox(longText, &w))->resize(60, 60); },
       "text cut"},
      {"covered label",
       [&](QWidget& w) {
         (new QLabel(QStringLiteral("Hola"), &w))->adjustSize();
         (new QLineEdit(&w))->resize(80, 20);
       },
       "overlaps"},
      {"outside",
       [&](QWidget& w) {
         auto* label = new QLabel(QStringLiteral("Hola"), &w);
         label->adjustSize();
         label->move(190, 190);
       },
       "outside the window"},
  };
  for (const auto& c : cases) {
    QWidget window;
    window.resize(200, 200);
    c.build(window);
    window.show();
    const QStringList faults = FaultsOf(&window);
    if (!c.fault) {
      EXPECT_TRUE(faults.isEmpty()) << c.name << ": " << faults.join(", ").toStdString();
      continue;
    }
    ASSERT_EQ(faults.size(), 1) << c.name << ": " << faults.join(", ").toStdString();
    EXPECT_TRUE(faults.front().contains(QLatin1String(c.fault))) << faults.front().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Files, WindowFit,
                         ::testing::Combine(::testing::ValuesIn(test::kShippedLanguages),
                                            ::testing::Values(1.0, 1.5)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).testName) +
                                  (std::get<1>(info.param) > 1 ? "Larger" : "");
                         });

}  // namespace
}  // namespace bv
