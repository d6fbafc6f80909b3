// The options dialog's group for the offline list of breached passwords: the file chosen
// (kept in the settings), a button to choose another and one to forget it.
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/BreachListSetting.h"
#include "config/FailureText.h"
#include "config/LanguageList.h"
#include "config/Settings.h"
#include "config/TFOpciones.h"
#include "config/Translation.h"

namespace bv {
namespace {

template <class T>
T* Named(T* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

}  // namespace

QGroupBox* TFOpciones::BuildBreachListGroup() {
  GrupoFiltradas =
      Named(new QGroupBox(QStringLiteral("Contraseñas filtradas"), this), "GrupoFiltradas");
  lblFiltradas = Named(new QLabel(QStringLiteral("Lista descargada de contraseñas filtradas "
                                                 "(«Pwned Passwords», SHA-1 ordenada por hash). "
                                                 "Se consulta en este equipo, sin conexión:"),
                                  GrupoFiltradas),
                       "lblFiltradas");
  lblFiltradas->setWordWrap(true);
  Ed_Filtradas = Named(new QLineEdit(GrupoFiltradas), "Ed_Filtradas");
  Ed_Filtradas->setReadOnly(true);
  Ed_Filtradas->setMinimumWidth(280);
  lblFiltradas->setBuddy(Ed_Filtradas);
  BtnElegirLista =
      Named(new QPushButton(QStringLiteral("Elegir..."), GrupoFiltradas), "BtnElegirLista");
  BtnQuitarLista =
      Named(new QPushButton(QStringLiteral("Quitar"), GrupoFiltradas), "BtnQuitarLista");
  ODFiltradas = new FileDialogEntry(
      FileDialogEntry::Kind::Open, QStringLiteral("ODFiltradas"), this,
      QStringLiteral("Elegir la lista de contraseñas filtradas"),
      QStringLiteral("Listas de contraseñas (*.txt)|*.txt|Todos los archivos (*.*)|*.*"));

  auto* row = new QHBoxLayout;
  row->addWidget(Ed_Filtradas, 1);
  row->addWidget(BtnElegirLista);
  row->addWidget(BtnQuitarLista);
  auto* group = new QVBoxLayout(GrupoFiltradas);
  group->addWidget(lblFiltradas);
  group->addLayout(row);
  connect(BtnElegirLista, &QPushButton::clicked, this, &TFOpciones::BtnElegirListaClick);
  connect(BtnQuitarLista, &QPushButton::clicked, this, &TFOpciones::BtnQuitarListaClick);
  return GrupoFiltradas;
}

void TFOpciones::ShowBreachList() {
  Ed_Filtradas->setText(PathToQString(ReadBreachListPath()));
  BtnQuitarLista->setEnabled(!Ed_Filtradas->text().isEmpty());
}

void TFOpciones::BtnElegirListaClick() {
  if (!chooseBreachList_) return;
  if (const auto chosen = chooseBreachList_(*ODFiltradas, Ed_Filtradas->text()))
    StoreBreachList(*chosen);
}

void TFOpciones::BtnQuitarListaClick() { StoreBreachList(QString()); }

void TFOpciones::StoreBreachList(const QString& path) {
  try {
    WriteBreachListPath(QStringToPath(path));
  } catch (const ESettingsWriteError&) {
    emit failed(CurrentFailureText());
  }
  ShowBreachList();  // what is stored, whether or not the write went through
}

}  // namespace bv
