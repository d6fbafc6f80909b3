// Windows built from the list of required controls, translated from each shipped file.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "config/IniFile.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "config_gui/TestApp.h"
#include "support/LanguageKeys.h"
#include "support/gui/WindowCoverage.h"

namespace bv {
namespace {

const std::filesystem::path kRes = std::filesystem::path(BV_SOURCE_DIR) / "res";

// A stand-in for a real window: one control of the listed kind for every listed name.
std::unique_ptr<QWidget> BuildWindow(const test::Window& entry) {
  auto window = std::make_unique<QWidget>();
  window->setObjectName(entry.name);
  for (const auto& control : entry.controls) {
    QObject* object = nullptr;
    switch (control.kind) {
      case test::Kind::Caption: {
        auto* label = new QLabel("built-in", window.get());
        object = label;
        break;
      }
      case test::Kind::List: {
        auto* list = new QComboBox(window.get());
        list->addItem("built-in");
        object = list;
        break;
      }
      case test::Kind::Action:
      case test::Kind::Heading: object = new QAction("built-in", window.get()); break;
      case test::Kind::FileDialog:
        object = new FileDialogEntry(FileDialogEntry::Kind::Open, control.name, window.get(),
                                     "built-in", "built-in|*.x");
        break;
    }
    object->setObjectName(control.name);
  }
  return window;
}

QString Shown(QObject* object, const QString& key) {
  if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
  if (auto* list = qobject_cast<QComboBox*>(object)) {
    QString items;
    for (int i = 0; i < list->count(); ++i) items += list->itemText(i) + QChar(0xF7);
    return items;
  }
  if (auto* action = qobject_cast<QAction*>(object))
    return key.endsWith('c') ? action->text() : action->statusTip();
  auto* entry = qobject_cast<FileDialogEntry*>(object);
  return key.endsWith('f') ? entry->filter() : entry->title();
}

class ShippedTranslationTest : public ::testing::TestWithParam<test::ShippedLanguage> {
 protected:
  void SetUp() override {
    test::App();
    SetActiveLanguageFile(kRes / GetParam().utf8Name);
  }
};

TEST_P(ShippedTranslationTest, EveryWindowShowsTheTextsOfTheFile) {
  const IniFile file(kRes / GetParam().utf8Name);
  for (const auto& entry : test::RequiredWindows()) {
    auto window = BuildWindow(entry);
    test::ExpectCoveredByLanguageFiles(window.get());
    TranslateWindow(window.get(), false);
    for (const auto& control : entry.controls) {
      auto* object = window->findChild<QObject*>(control.name);
      for (const auto& key : test::KeysOf(control)) {
        const QString expected = FromCp1252(file.ReadString(entry.name, key, "?"));
        EXPECT_EQ(Shown(object, QString::fromStdString(key)), expected)
            << entry.name << " / " << key;
      }
    }
  }
}

TEST_P(ShippedTranslationTest, MainWindowLoadsEveryUsedMessage) {
  auto main = BuildWindow(*test::RequiredWindow("FPrincipal"));
  TranslateWindow(main.get(), true);
  for (const int n : test::UsedMessages()) EXPECT_FALSE(Msg(n).isEmpty()) << "message " << n;
  EXPECT_TRUE(Msg(0).endsWith(' ')) << "message 1 follows message 0 directly";
  EXPECT_TRUE(Msg(18).startsWith('"') && Msg(18).endsWith('"'));
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedTranslationTest,
                         ::testing::ValuesIn(test::kShippedLanguages),
                         [](const auto& info) { return std::string(info.param.testName); });

TEST(WindowCoverageTest, FindsMissingAndUnlistedControls) {
  test::App();
  auto window = BuildWindow(*test::RequiredWindow("FInicioSesion"));
  delete window->findChild<QLabel*>("BtnCancelar");
  (new QCheckBox("extra", window.get()))->setObjectName("CBNuevo");
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    test::ExpectCoveredByLanguageFiles(window.get());
  }
  ASSERT_EQ(failures.size(), 2);
  EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find("CBNuevo"),
            std::string::npos);
  EXPECT_NE(std::string(failures.GetTestPartResult(1).message()).find("BtnCancelar"),
            std::string::npos);
}

}  // namespace
}  // namespace bv
