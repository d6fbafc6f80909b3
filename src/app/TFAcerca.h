#pragma once
// The about box (window "FAcerca"): the product's name, version and web address (labels
// named "notra...", never translated), the translator's credit and an OK button.

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace bv {

class TFAcerca : public QDialog {
  Q_OBJECT

 public:
  // openAddress hands the web address to the desktop when its label is clicked.
  explicit TFAcerca(std::function<void(const QString&)> openAddress, QWidget* parent = nullptr);

 private:
  void BuildControls();

  std::function<void(const QString&)> openAddress_;

  // Controls, named as in the window's section of the language files.
  QLabel* notraProducto;
  QLabel* notraVersion;
  QLabel* notraWeb;
  QLabel* Label4;
  QLabel* lblTraductor;
  QPushButton* BtnOk;
};

}  // namespace bv
