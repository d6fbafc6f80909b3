#include "app/BrowserQuestions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "app/BrowserTexts.h"
#include "config/QtText.h"
#include "ui/WindowSize.h"

namespace bv {
namespace {

// A question with Permitir and Denegar (the default, also Escape), over the window.
struct QuestionDialog {
  QDialog dialog;
  QVBoxLayout* layout;
  QPushButton* allow;
  QPushButton* deny;

  QuestionDialog(QWidget* window, const QString& text, int allowText) : dialog(window) {
    dialog.setWindowTitle(Msg(kMsgBrowserGroup));
    layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    // Lines of a comfortable length, rather than the narrow column a wrapped label gets.
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 48);
    layout->addWidget(label);
    GrowToWrappedTexts(&dialog);
    auto* buttons = new QDialogButtonBox(&dialog);
    allow = buttons->addButton(Msg(allowText), QDialogButtonBox::AcceptRole);
    deny = buttons->addButton(Msg(kMsgDeny), QDialogButtonBox::RejectRole);
    allow->setObjectName(QStringLiteral("BtnPermitir"));
    deny->setObjectName(QStringLiteral("BtnDenegar"));
    allow->setAutoDefault(false);
    deny->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    finish = [this, buttons] { layout->addWidget(buttons); };
  }
  std::function<void()> finish;

  bool Ask() {
    finish();
    if (dialog.parentWidget()) {
      dialog.parentWidget()->raise();
      dialog.parentWidget()->activateWindow();
    }
    // The compositor may refuse the focus (Wayland): the taskbar's attention tells the user.
    QApplication::alert(dialog.parentWidget() ? dialog.parentWidget() : &dialog);
    deny->setFocus();
    return dialog.exec() == QDialog::Accepted;
  }
};

}  // namespace

std::optional<QString> QtBrowserQuestions::AllowConnection(const QString& text,
                                                           const QString& name) {
  QuestionDialog question(window_, text, kMsgAllow);
  question.dialog.setObjectName(QStringLiteral("FPermitirConexion"));
  auto* caption = new QLabel(Msg(kMsgConnectionName), &question.dialog);
  auto* edit = new QLineEdit(name, &question.dialog);
  edit->setObjectName(QStringLiteral("Ed_Nombre"));
  edit->setMaxLength(60);
  caption->setBuddy(edit);
  question.layout->addWidget(caption);
  question.layout->addWidget(edit);
  if (!question.Ask() || edit->text().trimmed().isEmpty()) return std::nullopt;
  return edit->text().trimmed();
}

BrowserQuestions::SiteAnswer QtBrowserQuestions::AllowSite(const QString& text) {
  QuestionDialog question(window_, text, kMsgAllow);
  question.dialog.setObjectName(QStringLiteral("FPermitirSitio"));
  auto* remember = new QCheckBox(Msg(kMsgRemember), &question.dialog);
  remember->setObjectName(QStringLiteral("CB_Recordar"));
  question.layout->addWidget(remember);
  const bool allow = question.Ask();
  return {allow, remember->isChecked()};
}

bool QtBrowserQuestions::SaveLogin(const QString& text) {
  QuestionDialog question(window_, text, kMsgSave);
  question.dialog.setObjectName(QStringLiteral("FGuardarAcceso"));
  return question.Ask();
}

}  // namespace bv
