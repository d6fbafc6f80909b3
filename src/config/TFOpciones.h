#pragma once
// The options dialog (window "FOpciones"). Every change is written to the settings file the
// moment it is made and passed on to the main window; the only button closes the dialog.
// Showing the dialog ticks the boxes whose setting is on, and ticking a box is handled as
// a click: each option shown as ticked is written back at once (a missing CargaUltimo,
// which this dialog takes as on, is stored as 1).

#include <QDialog>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace bv {

class FileDialogEntry;
class LanguageList;

// The main window's flags that the dialog sets (CargaUltimo takes effect at the next start).
enum class OptionFlag {
  IrAlPrimero,
  MostrarPass,
  DCBSalir,
  DCBCerrar,
  CerrarAlBloquear,
  CerrarAlSuspender,
};
// The two delays: seconds until a copy is emptied, idle minutes until the profile closes.
enum class OptionDelay {
  VaciarTras,
  CerrarTras
};

// Asks for the offline list of breached passwords in the dialog described by entry,
// starting at current, and checks the file: its path when one was chosen and accepted (a
// refused file has been reported), nothing otherwise.
using BreachListChooser =
    std::function<std::optional<QString>(const FileDialogEntry& entry, const QString& current)>;

class TFOpciones : public QDialog {
  Q_OBJECT

 public:
  // Without a chooser, Elegir does nothing.
  explicit TFOpciones(BreachListChooser chooseBreachList = {}, QWidget* parent = nullptr);
  // A group of options another layer owns (the browser integration), placed last on the
  // scrolling page.
  void AddGroup(QWidget* group);

 signals:
  // A change written to the settings, for the main window to follow at once.
  void flagChanged(bv::OptionFlag flag, bool on);
  void delayChanged(bv::OptionDelay delay, int value);
  // The active language file changed (the dialog has translated itself already).
  void languageChanged();
  // A setting could not be written: the text names the file and says why.
  void failed(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  // A check box and the setting it stands for, with the value this dialog takes for a
  // missing key.
  struct Option {
    QCheckBox* box;
    std::string_view key;
    bool shownDefault;
    std::optional<OptionFlag> flag;
  };
  std::vector<Option> Options() const;  // in the order they are read when shown

  void BuildControls();
  void FormShow();
  // A box changed (by a click, or ticked when shown): writes its setting and passes it on.
  // A failed write is reported; a click is then undone, so the box shows what is stored.
  [[nodiscard]] bool BoxClick(const Option& option, bool reportFailure, bool undoOnFailure);
  void BoxDllClick(const QString& path);
  // A number box changed: writes its setting and passes it on; a failed write is reported
  // and the box goes back to the stored value.
  void DelayChanged(QSpinBox* box, std::string_view key, OptionDelay delay, int fallback);
  // The number of backups changed: written at once, read by the next save.
  void SpinCopiasChange();
  // The group of the breach list (TFOpcionesFiltradas.cpp): the chosen file, Elegir, Quitar.
  QGroupBox* BuildBreachListGroup();
  void ShowBreachList();
  void BtnElegirListaClick();
  void BtnQuitarListaClick();
  void StoreBreachList(const QString& path);

  BreachListChooser chooseBreachList_;
  bool shown_ = false;
  QVBoxLayout* groups_ = nullptr;  // the scrolling page's column of groups

  // Controls, named as in the window's section of the language files.
  QGroupBox* GrupoConf;
  QCheckBox* CBCargaUltimo;
  QCheckBox* CBPrimero;
  QLabel* lblBorra;
  QCheckBox* CBSalir;
  QCheckBox* CBCerrar;
  QLabel* lblVaciarTras;  // "Vaciar el portapapeles" [SpinVaciarTras] lblVaciarSegundos
  QSpinBox* SpinVaciarTras;
  QLabel* lblVaciarSegundos;
  QLabel* lblCerrarTras;  // "Cerrar el perfil tras" [SpinCerrarTras] lblCerrarMinutos
  QSpinBox* SpinCerrarTras;
  QLabel* lblCerrarMinutos;
  QGroupBox* GrupoVisual;
  QCheckBox* CBMostrar;
  QGroupBox* GrupoIdioma;
  QLabel* lblIdioma;
  LanguageList* BoxDll;
  QGroupBox* GrupoCopias;  // lblCopias [SpinCopias] lblCopiasPerfil
  QLabel* lblCopias;
  QSpinBox* SpinCopias;
  QLabel* lblCopiasPerfil;
  QGroupBox* GrupoFiltradas;
  QLabel* lblFiltradas;
  QLineEdit* Ed_Filtradas;  // read-only: the path chosen
  QPushButton* BtnElegirLista;
  QPushButton* BtnQuitarLista;
  FileDialogEntry* ODFiltradas;
  QGroupBox* GrupoSesion;  // what happens when the desktop locks or sleeps
  QCheckBox* CBBloquear;
  QCheckBox* CBSuspender;
  QLabel* lblSesion;
  QPushButton* BtnOk;
};

}  // namespace bv
