#include "app/TFResumenCombinacion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "profile/MergeOutcome.h"
#include "profile/MergeReport.h"

namespace bv {
namespace {

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

TFResumenCombinacion::TFResumenCombinacion(const MergedProfile& merged, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FResumenCombinacion"));
  setModal(false);
  BuildControls();
  TranslateWindow(this, false);
  setWindowTitle(Msg(msg::kMergeSummaryCaption));
  // Screen readers name a list by its buddy label only for some widgets: name it outright.
  Lista->setAccessibleName(QString(lblLista->text()).remove(QLatin1Char('&')));
  Fill(merged);
}

TFResumenCombinacion* TFResumenCombinacion::ShowFor(const MergedProfile& merged, QWidget* parent) {
  auto* window = new TFResumenCombinacion(merged, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->raise();
  return window;
}

void TFResumenCombinacion::BuildControls() {
  // "notra": the counts come from the messages, which window translation leaves alone.
  notraCuentas = Named(new QLabel(this), "notraCuentas");
  QFont bold = notraCuentas->font();
  bold.setBold(true);
  notraCuentas->setFont(bold);
  notraCuentas->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  lblLista =
      Named(new QLabel(QStringLiteral("Lo que se ha combinado, nodo a nodo:"), this), "lblLista");
  Lista = Named(new QListWidget(this), "Lista");
  Lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Lista->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Lista->setWordWrap(true);
  Lista->setMinimumSize(560, 240);
  lblLista->setBuddy(Lista);
  BtnCerrar = Named(new QPushButton(QStringLiteral("Cerrar"), this), "BtnCerrar");
  BtnCerrar->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnCerrar);
  auto* column = new QVBoxLayout(this);
  column->addWidget(notraCuentas);
  column->addWidget(lblLista);
  column->addWidget(Lista, 1);
  column->addLayout(buttons);

  connect(BtnCerrar, &QPushButton::clicked, this, &QDialog::close);
}

void TFResumenCombinacion::Fill(const MergedProfile& merged) {
  const MergeCounts counts = CountMerge(merged.summary);
  notraCuentas->setText(Msg(msg::kMergeSummaryCounts)
                            .arg(counts.added)
                            .arg(counts.deleted)
                            .arg(counts.changed)
                            .arg(counts.conflicts));
  for (const std::string& line : DescribeMerge(merged, [](int n) { return MessageText(n); }))
    Lista->addItem(FromCp1252(line));
}

}  // namespace bv
