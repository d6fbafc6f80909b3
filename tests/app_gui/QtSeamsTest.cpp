// The Qt message boxes themselves: what a key or the close button on the save question means.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/QtSeams.h"
#include "browser/EditBoxes.h"

namespace bv {
namespace {

// Asks the save question of the real seam and acts on the box once it shows.
SaveAnswer AnswerSaveQuestion(const std::function<void(QMessageBox*)>& act) {
  Seams seams = MakeQtSeams();
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      poll.stop();
      act(box);
    }
  });
  poll.start();
  return seams.boxes->ConfirmSave(QStringLiteral("\u00bfGuardar los cambios?"));
}

TEST(QtSaveQuestion, EscapeAndTheCloseButtonCancelWhileYesAndNoKeepTheirMeaning) {
  EXPECT_EQ(AnswerSaveQuestion([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }),
            SaveAnswer::Cancel);
  EXPECT_EQ(AnswerSaveQuestion([](QMessageBox* box) { box->close(); }), SaveAnswer::Cancel);
  EXPECT_EQ(AnswerSaveQuestion([](QMessageBox* box) { box->button(QMessageBox::No)->click(); }),
            SaveAnswer::No);
  EXPECT_EQ(AnswerSaveQuestion([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }),
            SaveAnswer::Yes);
}

// A path from outside (a handed-over file, a conflict copy's name) may hold markup: every box
// shows it as written, not as a heading in red.
TEST(QtMessageBoxes, ShowMarkupInNamesAsPlainText) {
  Seams seams = MakeQtSeams();
  const QString path =
      QStringLiteral("/tmp/<h1><font color=red>Your master password has expired</font></h1>.bv3");
  const std::vector<std::pair<const char*, std::function<void()>>> boxes = {
      {"error", [&] { seams.boxes->Error(path); }},
      {"warning", [&] { (void)seams.boxes->WarningYesNo(path); }},
      {"question", [&] { (void)seams.boxes->ConfirmSave(path); }},
      {"information", [&] { seams.boxes->Information(path); }},
      {"choice",
       [&] { (void)seams.boxes->Choose(path, QStringLiteral("A"), QStringLiteral("B")); }},
      {"dialog error", [&] { DefaultErrorBox(nullptr)(path); }},
  };
  for (const auto& [label, show] : boxes) {
    QString shown;
    Qt::TextFormat format = Qt::RichText;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      poll.stop();
      if (auto* text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        shown = text->text();
        format = text->textFormat();
      }
      box->reject();
    });
    poll.start();
    show();
    EXPECT_EQ(format, Qt::PlainText) << label;
    EXPECT_EQ(shown, path) << label;
  }
}

}  // namespace
}  // namespace bv
