#include "tools/TFBusqueda.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "tools/NodeSearch.h"
#include "ui/Pictures.h"

namespace bv {

namespace {

enum Column {
  kTitleColumn,
  kKindColumn,
  kIndexColumn
};

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

TFBusqueda::TFBusqueda(const ProfileTree& tree, QWidget* parent) : QDialog(parent), tree_(tree) {
  setObjectName(QStringLiteral("FBusqueda"));
  // The node pictures of the main window's tree, loaded once: a long result list shares them.
  for (int index = 0; index < kNodePictureCount; ++index) pictures_[index] = NodePicture(index);
  BuildControls();
  InstallCp1252Guards(this);
  TranslateWindow(this, false);
  setWindowTitle(Msg(msg::kSearchCaption));
}

void TFBusqueda::BuildControls() {
  lblPalabra = Named(new QLabel(QStringLiteral("Buscar esta palabra:"), this), "lblPalabra");
  Busca = Named(new QLineEdit(this), "Busca");
  lblEn = Named(new QLabel(QStringLiteral("En:"), this), "lblEn");
  BuscarEn = Named(new QComboBox(this), "BuscarEn");
  BuscarEn->addItems({QStringLiteral("Título"), QStringLiteral("Descripción"),
                      QStringLiteral("Notas adicionales"), QStringLiteral("Nombre de usuario"),
                      QStringLiteral("Pregunta secreta"), QStringLiteral("URL"),
                      QStringLiteral("Tipo")});
  lblResultados = Named(new QLabel(QStringLiteral("Resultados:"), this), "lblResultados");
  QFont bold = lblResultados->font();
  bold.setBold(true);
  lblResultados->setFont(bold);

  Lista = Named(new QTreeWidget(this), "Lista");
  Lista->setColumnCount(3);
  // The list's headings come from the messages: the window's section names no columns.
  Lista->setHeaderLabels(
      {Msg(msg::kSearchTitleColumn), Msg(msg::kSearchKindColumn), Msg(msg::kSearchIndexColumn)});
  Lista->setColumnWidth(kTitleColumn, 145);
  Lista->setColumnWidth(kKindColumn, 70);
  Lista->setColumnWidth(kIndexColumn, 36);
  Lista->setRootIsDecorated(false);
  Lista->setUniformRowHeights(true);
  Lista->setSelectionMode(QAbstractItemView::SingleSelection);
  Lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Lista->setIconSize(QSize(16, 16));
  Lista->setMinimumSize(280, 180);

  BtnBuscar = Named(new QPushButton(QStringLiteral("Buscar..."), this), "BtnBuscar");
  BtnCancelar = Named(new QPushButton(QStringLiteral("Cancelar"), this), "BtnCancelar");
  BtnBuscar->setDefault(true);

  auto* query = new QGridLayout;
  query->addWidget(lblPalabra, 0, 0);
  query->addWidget(Busca, 0, 1);
  query->addWidget(lblEn, 1, 0);
  query->addWidget(BuscarEn, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnBuscar);
  buttons->addWidget(BtnCancelar);
  auto* main = new QVBoxLayout(this);
  main->addLayout(query);
  main->addWidget(lblResultados);
  main->addWidget(Lista);
  main->addLayout(buttons);

  // Each label names the box beside or below it for a screen reader.
  lblPalabra->setBuddy(Busca);
  lblEn->setBuddy(BuscarEn);
  lblResultados->setBuddy(Lista);

  Busca->installEventFilter(this);
  connect(BtnBuscar, &QPushButton::clicked, this, &TFBusqueda::BtnBuscarClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(Lista, &QTreeWidget::itemSelectionChanged, this, &TFBusqueda::ListaSelectionChanged);
}

void TFBusqueda::showEvent(QShowEvent* event) {
  searchReady_ = false;
  Lista->clear();
  Busca->clear();
  BuscarEn->setCurrentIndex(0);
  QDialog::showEvent(event);
  Busca->setFocus();
}

bool TFBusqueda::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Busca) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        BtnBuscarClick();
        return true;  // the key goes no further
      }
    } else if (event->type() == QEvent::MouseButtonRelease) {
      QTimer::singleShot(0, Busca, &QLineEdit::selectAll);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFBusqueda::BtnBuscarClick() {
  RunSearch();
  Lista->setFocus();
}

void TFBusqueda::RunSearch() {
  searchReady_ = false;
  Lista->setUpdatesEnabled(false);
  Lista->clear();

  const std::string query = ToCp1252(Busca->text()).value_or(std::string());
  const QString accountWord = Msg(msg::kAccountWord);
  const QString groupWord = Msg(msg::kGroupWord);
  // The rows are made first and handed over together: one insertion instead of one per row.
  QList<QTreeWidgetItem*> rows;
  for (const SearchHit& hit : SearchTree(tree_, BuscarEn->currentIndex(), query)) {
    const TNodeData& data = hit.node->data;
    auto* row = new QTreeWidgetItem;
    row->setText(kTitleColumn, FromCp1252(data.Name));
    if (data.ImageIndex >= 0 && data.ImageIndex < kNodePictureCount)  // a damaged number draws none
      row->setIcon(kTitleColumn, pictures_[data.ImageIndex]);
    row->setText(kKindColumn, data.IsAccount ? accountWord : groupWord);
    row->setText(kIndexColumn, QString::number(hit.treeIndex));
    rows.append(row);
  }
  Lista->addTopLevelItems(rows);

  Lista->setUpdatesEnabled(true);
  searchReady_ = true;
  Busca->setFocus();
  Busca->selectAll();
}

void TFBusqueda::ListaSelectionChanged() {
  if (!searchReady_) return;
  const QList<QTreeWidgetItem*> selected = Lista->selectedItems();
  if (selected.isEmpty()) return;
  bool isNumber = false;
  const int index = selected.front()->text(kIndexColumn).toInt(&isNumber);
  if (TreeNode* node = isNumber ? tree_.NodeAtTreeIndex(index) : nullptr) emit nodeChosen(node);
}

}  // namespace bv
