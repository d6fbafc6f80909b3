#pragma once
// The first-run language picker (window "FIdiomaInicio"), shown at the main window's first
// activation while StartLanguage is on. Clicking a language previews it in the picker;
// Aceptar stores the choice (even no choice: an empty Recursos) and switches the program
// to it; closing the picker by its title bar stores nothing, so it comes back next time.

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace bv {

class LanguageList;

class TFIdiomaInicio : public QDialog {
  Q_OBJECT

 public:
  // applyLanguage translates the main window with its messages and draws its page again;
  // showError shows an error box.
  TFIdiomaInicio(std::function<void()> applyLanguage, std::function<void(const QString&)> showError,
                 QWidget* parent = nullptr);

  void BtnOkClick();

 protected:
  // Up and Down on the button, which has the focus at first, go to the list: the first
  // press selects a language, as it would in the list itself.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BoxDllClick(const QString& path);

  std::function<void()> applyLanguage_;
  std::function<void(const QString&)> showError_;

  // Controls, named as in the window's section of the language files.
  QLabel* Label1;
  QGroupBox* FlatGroupBox1;
  LanguageList* BoxDll;
  QPushButton* BtnOk;
};

}  // namespace bv
