#include "config/Translation.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>

#include "config/Messages.h"
#include "config/QtText.h"
#include "support/ScratchFolder.h"
#include "config_gui/TestApp.h"

namespace bv {
namespace {

using test::ScratchFolder;
using test::WriteFile;

// A picture picker: a list of its own class, which translation must leave alone.
class ImagePicker : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
};

template <class T>
T* Make(QObject* parent, const char* name) {
  auto* object = new T(qobject_cast<QWidget*>(parent));
  object->setObjectName(name);
  return object;
}

// A small window with one control of every kind, carrying built-in Spanish texts.
struct TestWindow {
  TestWindow() {
    window.setObjectName("FPrueba");
    Make<QLabel>(&window, "lblNombre")->setText("Nombre:");
    Make<QLabel>(&window, "notraWeb")->setText("www.brindlevault.org");
    auto* group = Make<QGroupBox>(&window, "GrupoConf");
    group->setTitle("Configuraci\u00F3n");
    Make<QCheckBox>(group, "CBSalir")->setText("salir");
    Make<QRadioButton>(group, "Op_Todos")->setText("Todos");
    Make<QPushButton>(&window, "BtnOk")->setText("Aceptar");
    Make<QLineEdit>(&window, "Ed_Nombre")->setText("texto");
    auto* list = Make<QComboBox>(&window, "BuscarEn");
    list->addItems({"Nombre", "Usuario"});
    list->setCurrentIndex(1);
    Make<ImagePicker>(&window, "CBImagen")->addItems({"uno", "dos"});
    auto* action = new QAction("&Abrir", &window);
    action->setObjectName("ActAbrir");
    action->setToolTip("Abrir un perfil");
    action->setStatusTip("Abrir un perfil");
    new FileDialogEntry(FileDialogEntry::Kind::Save, "SDTXT", &window, "Exportar", "Texto|*.txt",
                        "txt");
    // A dialog parented to the window is a window of its own, with its own section.
    auto* dialog = new QDialog(&window);
    Make<QPushButton>(dialog, "BtnDialogo")->setText("Cerrar");
  }
  template <class T>
  T* Get(const char* name) {
    return window.findChild<T*>(name);
  }
  QString Caption(const char* name) {
    auto* object = window.findChild<QObject*>(name);
    if (auto* l = qobject_cast<QLabel*>(object)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(object)) return g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(object)) return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(object)) return e->text();
    return "<none>";
  }
  QStringList Items(const char* name) {
    QStringList items;
    auto* list = Get<QComboBox>(name);
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }
  QWidget window;
};

class TranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    SetActiveLanguageFile(dir_ / "lang.lng");
  }
  void Language(const std::string& bytes) { WriteFile(dir_ / "lang.lng", bytes); }
  ScratchFolder dir_;
};

TEST_F(TranslationTest, TranslatesEachKindOfControlByItsName) {
  Language(
      "[fprueba]\r\n"
      "LBLNOMBRE=Name:\r\nnotraWeb=changed\r\nGrupoConf=Settings\r\nCBSalir=exit\r\n"
      "Op_Todos=All\r\nBtnOk=OK\r\nEd_Nombre=changed\r\nBuscarEn=Name\xF7User\xF7\r\n"
      "CBImagen=changed\xF7\r\nActAbrirc=&Open\r\nActAbrirh=Open a profile\r\n"
      "SDTXTf=Text files|*.txt\r\nSDTXTt=Export as text\r\nBtnDialogo=changed\r\n"
      "[FOtra]\r\nBtnOk=wrong section\r\n");
  TestWindow w;
  TranslateWindow(&w.window, false);
  EXPECT_EQ(w.Caption("lblNombre"), "Name:");
  EXPECT_EQ(w.Caption("notraWeb"), "www.brindlevault.org");
  EXPECT_EQ(w.Caption("GrupoConf"), "Settings");
  EXPECT_EQ(w.Caption("CBSalir"), "exit");
  EXPECT_EQ(w.Caption("Op_Todos"), "All");
  EXPECT_EQ(w.Caption("BtnOk"), "OK");
  EXPECT_EQ(w.Caption("Ed_Nombre"), "texto");
  EXPECT_EQ(w.Caption("BtnDialogo"), "Cerrar");
  EXPECT_EQ(w.Items("BuscarEn"), QStringList({"Name", "User"}));
  EXPECT_EQ(w.Get<QComboBox>("BuscarEn")->currentIndex(), -1) << "the selection is lost";
  EXPECT_EQ(w.Items("CBImagen"), QStringList({"uno", "dos"}));
  auto* action = w.Get<QAction>("ActAbrir");
  EXPECT_EQ(action->text(), "&Open");
  EXPECT_EQ(action->toolTip(), "Open a profile");
  EXPECT_EQ(action->statusTip(), "Open a profile");
  auto* entry = w.Get<FileDialogEntry>("SDTXT");
  EXPECT_EQ(entry->filter(), "Text files|*.txt");
  EXPECT_EQ(entry->title(), "Export as text");
  EXPECT_EQ(entry->qtFilter(), "Text files (*.txt)");
  EXPECT_EQ(entry->defaultSuffix(), "txt");
}

TEST_F(TranslationTest, MissingKeysKeepTextsAndEmptyValuesEmptyThem) {
  Language("[FPrueba]\nlblNombre=\nActAbrirh=\nSDTXTt=\nBuscarEn=\n");
  TestWindow w;
  TranslateWindow(&w.window, false);
  EXPECT_EQ(w.Caption("lblNombre"), "");
  EXPECT_EQ(w.Caption("BtnOk"), "Aceptar");
  EXPECT_EQ(w.Caption("GrupoConf"), "Configuraci\u00F3n");
  EXPECT_EQ(w.Get<QAction>("ActAbrir")->text(), "&Abrir");
  EXPECT_EQ(w.Get<QAction>("ActAbrir")->statusTip(), "");
  EXPECT_EQ(w.Get<FileDialogEntry>("SDTXT")->title(), "");
  EXPECT_EQ(w.Get<FileDialogEntry>("SDTXT")->filter(), "Texto|*.txt");
  EXPECT_EQ(w.Items("BuscarEn"), QStringList({""}));
}

TEST_F(TranslationTest, ShortAndLongHintsGoToToolTipAndStatusBar) {
  Language("[FPrueba]\nActAbrirh=Open|Open a profile file\n");
  TestWindow w;
  TranslateWindow(&w.window, false);
  EXPECT_EQ(w.Get<QAction>("ActAbrir")->toolTip(), "Open");
  EXPECT_EQ(w.Get<QAction>("ActAbrir")->statusTip(), "Open a profile file");
}

struct ListCase {
  const char* name;
  std::string value;  // Windows-1252
  QStringList items;
};

class ListValueTest : public TranslationTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListValueTest, RefillsTheList) {
  Language("[FPrueba]\r\nBuscarEn=" + GetParam().value + "\r\n");
  TestWindow w;
  TranslateWindow(&w.window, false);
  EXPECT_EQ(w.Items("BuscarEn"), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, ListValueTest,
    ::testing::Values(
        ListCase{"EachItemEnded", "Uno\367Dos\xF7", {"Uno", "Dos"}},
        ListCase{"LastItemUnended", "Uno\367Dos", {"Uno", "Dos"}},
        ListCase{"OneItem", "Uno", {"Uno"}}, ListCase{"Empty", "", {""}},
        ListCase{"OnlySeparator", "\xF7", {""}},
        ListCase{"EmptyItemInside", "Uno\xF7\367Dos\xF7", {"Uno", "", "Dos"}},
        ListCase{"Cp1252Text", "Contrase\361a\xF7\x80\xF7", {"Contrase\u00F1a", "\u20AC"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TranslationTest, AMissingListKeyKeepsItemsAndSelection) {
  Language("[FPrueba]\nBtnOk=OK\n");
  TestWindow w;
  TranslateWindow(&w.window, false);
  EXPECT_EQ(w.Items("BuscarEn"), QStringList({"Nombre", "Usuario"}));
  EXPECT_EQ(w.Get<QComboBox>("BuscarEn")->currentIndex(), 1);
}

TEST_F(TranslationTest, MessagesLoadOnlyWhenAsked) {
  Language("[Mensajes]\n30=Inicio de sesi\xF3n\n");
  TestWindow w;
  LoadMessages(dir_ / "none.lng");
  const std::string before = MessageText(30);
  TranslateWindow(&w.window, false);
  EXPECT_EQ(MessageText(30), before);
  TranslateWindow(&w.window, true);
  EXPECT_EQ(Msg(30), "Inicio de sesi\u00F3n");
}

TEST_F(TranslationTest, AFileWithOnlyMessagesKeepsBuiltInCaptions) {
  Language("[Mensajes]\r\n20=\xBFGuardar los cambios?\r\n");
  TestWindow w;
  TranslateWindow(&w.window, true);
  EXPECT_EQ(w.Caption("BtnOk"), "Aceptar");
  EXPECT_EQ(w.Get<QAction>("ActAbrir")->text(), "&Abrir");
  EXPECT_EQ(Msg(20), "\u00BFGuardar los cambios?");
}

TEST_F(TranslationTest, SwitchingLanguagesKeepsMessagesTheNewFileLacks) {
  WriteFile(dir_ / "es.lng", "[Mensajes]\r\n20=\xBFGuardar?\r\n21=Opciones\r\n");
  WriteFile(dir_ / "en.lng", "[FPrueba]\r\nBtnOk=OK\r\n[Mensajes]\r\n21=Options\r\n");
  TestWindow w;
  SetActiveLanguageFile(dir_ / "es.lng");
  TranslateWindow(&w.window, true);
  SetActiveLanguageFile(dir_ / "en.lng");
  TranslateWindow(&w.window, true);
  EXPECT_EQ(Msg(20), "\u00BFGuardar?");
  EXPECT_EQ(Msg(21), "Options");
  EXPECT_EQ(w.Caption("BtnOk"), "OK");
}

TEST_F(TranslationTest, AMissingFileChangesNothing) {
  SetActiveLanguageFile(dir_ / "missing.lng");
  TestWindow w;
  TranslateWindow(&w.window, true);
  EXPECT_EQ(w.Caption("lblNombre"), "Nombre:");
  EXPECT_EQ(w.Items("BuscarEn"), QStringList({"Nombre", "Usuario"}));
}

QMainWindow* MainWindowWithToolBar(const char* windowName) {
  auto* window = new QMainWindow;
  window->setObjectName(windowName);
  auto* bar = new QToolBar(window);
  bar->setObjectName("BarraHerramientas");
  window->addToolBar(bar);
  auto* open = new QAction(QIcon(), "Abrir", window);
  open->setObjectName("ActAbrir");
  bar->addAction(open);
  auto* menu = new QMenu(window);
  menu->addAction("reciente");
  open->setMenu(menu);
  qobject_cast<QToolButton*>(bar->widgetForAction(open))
      ->setPopupMode(QToolButton::MenuButtonPopup);
  auto* save = new QAction(QIcon(), "Guardar", window);
  save->setObjectName("ActGuardar");
  bar->addAction(save);
  return window;
}

TEST_F(TranslationTest, MainWindowToolBarButtonsAre23By22) {
  Language("[FPrincipal]\r\nActGuardarc=Save\r\n");
  std::unique_ptr<QMainWindow> main(MainWindowWithToolBar("FPrincipal"));
  std::unique_ptr<QMainWindow> other(MainWindowWithToolBar("FOtra"));
  TranslateWindow(main.get(), true);
  TranslateWindow(other.get(), false);
  auto* bar = main->findChild<QToolBar*>("BarraHerramientas");
  auto* save = bar->widgetForAction(main->findChild<QAction*>("ActGuardar"));
  auto* open = bar->widgetForAction(main->findChild<QAction*>("ActAbrir"));
  EXPECT_EQ(save->size(), QSize(23, 22));
  EXPECT_EQ(open->height(), 22);
  EXPECT_GT(open->width(), 23) << "room for the drop-down arrow";
  EXPECT_EQ(qobject_cast<QToolButton*>(save)->text(), "Save");
  auto* otherBar = other->findChild<QToolBar*>("BarraHerramientas");
  EXPECT_NE(otherBar->widgetForAction(other->findChild<QAction*>("ActGuardar"))->minimumSize(),
            QSize(23, 22));
}

struct FilterCase {
  const char* windows;
  const char* qt;
};

TEST(FileDialogFilterTest, WindowsFormBecomesQtForm) {
  const FilterCase cases[] = {
      {"Perfiles de Brindlevault (*.bv3)|*.bv3", "Perfiles de Brindlevault (*.bv3)"},
      {"HTML (*.htm, *.html)|*.htm;*.html", "HTML (*.htm, *.html)"},
      {"Perfiles (*.bv2)|*.bv3", "Perfiles (*.bv2) (*.bv3)"},
      {"Perfiles|*.bv3|Todos los archivos|*.*", "Perfiles (*.bv3);;Todos los archivos (*)"},
      {"Texto (*.txt)|*.txt|Todos los archivos (*.*)|*.*", "Texto (*.txt);;Todos los archivos (*)"},
      {"P\u00E1ginas web|*.htm;*.html", "P\u00E1ginas web (*.htm *.html)"},
      {"Texto|*.txt|sin patr\u00F3n", "Texto (*.txt)"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WindowsFilterToQt(c.windows), c.qt) << c.windows;
}

}  // namespace
}  // namespace bv

#include "TranslationTest.moc"
