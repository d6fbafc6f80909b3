#include "ui/PlainMessageBox.h"

#include "config/QtText.h"

namespace bv {

std::unique_ptr<QMessageBox> MakePlainBox(QMessageBox::Icon icon, const QString& text,
                                          QMessageBox::StandardButtons buttons, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(icon, ProductNameText(), QString(), buttons, parent);
  box->setTextFormat(Qt::PlainText);  // before the text: Qt::AutoText would guess markup
  box->setText(text);
  return box;
}

void ShowPlainError(QWidget* parent, const QString& text) {
  MakePlainBox(QMessageBox::Critical, text, QMessageBox::Ok, parent)->exec();
}

}  // namespace bv
