// The Qt message boxes themselves: what a key or the close button on the save question means.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/QtSeams.h"

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

}  // namespace
}  // namespace bv
