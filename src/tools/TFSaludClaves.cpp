#include "tools/TFSaludClaves.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "config/BreachListSetting.h"
#include "config/LanguageList.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "config/Translation.h"
#include "profile/MasterPassword.h"
#include "tools/BreachList.h"
#include "tools/HealthTexts.h"
#include "ui/Pictures.h"
#include "ui/WindowSize.h"

namespace bv {
namespace {

enum Column {
  kAccountColumn,
  kFindingsColumn,
  kStrengthColumn,
  kPasswordColumn
};

// The value a column sorts by, beside the text it shows.
constexpr int kSortRole = Qt::UserRole + 1;

// A row that sorts by each column's own value: the path as a person reads it, the findings
// worst first, the strength weakest first.
class HealthItem : public QTreeWidgetItem {
 public:
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : kFindingsColumn;
    const QVariant mine = data(column, kSortRole);
    const QVariant theirs = other.data(column, kSortRole);
    if (mine.typeId() == QMetaType::QString)
      return QString::localeAwareCompare(mine.toString(), theirs.toString()) < 0;
    return mine.toLongLong() < theirs.toLongLong();
  }
};

bool TreeHolds(const ProfileTree& tree, const TreeNode* node) {
  bool found = false;
  tree.ForEachPreOrder([&](TreeNode& each, int) { found = found || &each == node; });
  return found;
}

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QString PathText(const TreeNode* node) {
  QStringList names;
  for (const std::string& name : NodePath(node)) names << FromCp1252(name);
  return names.join(QStringLiteral(" / "));
}

// The list at the path the options keep, or why there is none to read.
std::unique_ptr<BreachList> OpenBreachList(QString& note) {
  const std::filesystem::path path = ReadBreachListPath();
  if (path.empty()) {
    note = Msg(msg::kHealthNoBreachList);
    return nullptr;
  }
  try {
    return std::make_unique<BreachList>(path);
  } catch (const EBreachListError& error) {
    note = BreachListErrorText(PathToQString(path), error);
    return nullptr;
  }
}

}  // namespace

TFSaludClaves::TFSaludClaves(const ProfileTree& tree, const std::string& sessionPassword,
                             const std::string& owner, QWidget* parent)
    : QDialog(parent), tree_(tree), sessionPassword_(sessionPassword), owner_(owner) {
  setObjectName(QStringLiteral("FSaludClaves"));
  for (int index = 0; index < kNodePictureCount; ++index) pictures_[index] = NodePicture(index);
  BuildControls();
  TranslateWindow(this, false);
  setWindowTitle(Msg(msg::kHealthCaption));
}

TFSaludClaves::~TFSaludClaves() { Lista->clear(); }

void TFSaludClaves::BuildControls() {
  // "notra": texts of the messages, which window translation leaves alone.
  notraResumen = Named(new QLabel(this), "notraResumen");
  QFont bold = notraResumen->font();
  bold.setBold(true);
  notraResumen->setFont(bold);
  notraCuentas = Named(new QLabel(this), "notraCuentas");
  notraCuentas->setWordWrap(true);
  lblLista = Named(new QLabel(QStringLiteral("Cuentas con avisos, las peores primero (Intro o "
                                             "doble clic la selecciona en el árbol):"),
                              this),
                   "lblLista");
  lblLista->setWordWrap(true);
  Lista = Named(new QTreeWidget(this), "Lista");
  Lista->setRootIsDecorated(false);
  Lista->setUniformRowHeights(true);
  Lista->setSelectionMode(QAbstractItemView::SingleSelection);
  Lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Lista->setIconSize(QSize(16, 16));
  Lista->setMinimumSize(560, 240);
  Lista->setSortingEnabled(true);
  // Worst first, until a click on a heading says otherwise; kept across reports.
  connect(Lista->header(), &QHeaderView::sortIndicatorChanged, this,
          [this](int column, Qt::SortOrder order) {
            if (column >= 0) sortedBy_ = {column, order};
          });
  lblLista->setBuddy(Lista);
  notraFiltradas = Named(new QLabel(this), "notraFiltradas");
  notraFiltradas->setWordWrap(true);
  // The note takes the lines it needs below the list; the list gives them up.
  notraFiltradas->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
  BtnActualizar = Named(new QPushButton(QStringLiteral("Actualizar"), this), "BtnActualizar");
  BtnCerrar = Named(new QPushButton(QStringLiteral("Cerrar"), this), "BtnCerrar");
  // Enter activates the list's row; no button takes it.
  for (QPushButton* button : {BtnActualizar, BtnCerrar}) button->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnActualizar);
  buttons->addStretch();
  buttons->addWidget(BtnCerrar);
  auto* column = new QVBoxLayout(this);
  column->addWidget(notraResumen);
  column->addWidget(notraCuentas);
  column->addWidget(lblLista);
  column->addWidget(Lista, 1);
  column->addWidget(notraFiltradas);
  column->addLayout(buttons);
  GrowToWrappedTexts(this);

  connect(Lista, &QTreeWidget::itemActivated, this, &TFSaludClaves::ListaItemActivated);
  connect(BtnActualizar, &QPushButton::clicked, this, [this] { static_cast<void>(Analyze()); });
  connect(BtnCerrar, &QPushButton::clicked, this, &QDialog::close);
}

void TFSaludClaves::FollowModel(const QAbstractItemModel* model) {
  const auto outOfDate = [this] { MarkOutOfDate(); };
  connect(model, &QAbstractItemModel::dataChanged, this, outOfDate);
  connect(model, &QAbstractItemModel::rowsInserted, this, outOfDate);
  connect(model, &QAbstractItemModel::rowsRemoved, this, outOfDate);
  connect(model, &QAbstractItemModel::rowsMoved, this, outOfDate);
  connect(model, &QAbstractItemModel::layoutChanged, this, outOfDate);
  connect(model, &QAbstractItemModel::modelReset, this, outOfDate);
}

void TFSaludClaves::MarkOutOfDate() {
  outOfDate_ = true;
  // Once the change is complete (an edit changes several rows): a fresh report.
  if (isVisible())
    QTimer::singleShot(0, this, [this] {
      if (outOfDate_ && isVisible() && !analysing_) static_cast<void>(Analyze());
    });
}

void TFSaludClaves::ShowReport() {
  if (!placed_) PlaceBesideParent();
  show();
  raise();
  activateWindow();
  static_cast<void>(Analyze());
}

void TFSaludClaves::PlaceBesideParent() {
  QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
  if (!main) return;
  placed_ = true;
  adjustSize();
  const QRect beside = main->frameGeometry();
  const QScreen* screen = main->screen();
  const QRect room = screen ? screen->availableGeometry() : QRect();
  const QSize size = frameGeometry().size();
  int x = beside.right() + 1;
  if (room.isValid() && x + size.width() > room.right() + 1) {
    // No room on the right: on the left, else at the screen's right edge, over the detail
    // view rather than the tree.
    x = beside.left() - size.width();
    if (x < room.left()) x = room.right() + 1 - size.width();
  }
  int y = beside.top();
  if (room.isValid())
    y = std::clamp(y, room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
  move(x, y);
}

const TreeNode* TFSaludClaves::SelectedAccount() const {
  const QTreeWidgetItem* item = Lista->currentItem();
  if (!item || !item->isSelected()) return nullptr;
  const auto k = item->data(kAccountColumn, Qt::UserRole).toULongLong();
  return k < report_.entries.size() ? report_.entries[k].node : nullptr;
}

bool TFSaludClaves::Analyze() {
  if (analysing_) return false;
  analysing_ = true;
  outOfDate_ = false;
  QString note;
  std::unique_ptr<BreachList> breachList = OpenBreachList(note);
  HealthOptions options;
  if (sessionPassword_ != kEmptyPasswordSentinel) options.masterPassword = sessionPassword_;
  options.breachList = breachList.get();
  options.owner = owner_;

  // Application-modal: nothing can change the tree while it is being read.
  std::unique_ptr<QProgressDialog> progress;
  if (tree_.Count() > kProgressFrom) {
    progress = std::make_unique<QProgressDialog>(this);
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setLabelText(Msg(msg::kHealthProgress));
    progress->setMinimumDuration(300);
    options.progress = [&progress](std::size_t done, std::size_t total) {
      progress->setMaximum(static_cast<int>(total));
      progress->setValue(static_cast<int>(done));
      return !progress->wasCanceled();
    };
  }
  HealthReport report;
  try {
    report = AnalyzeHealth(tree_, options);
  } catch (const EBreachListError& error) {  // a fault the opening checks could not see
    note = BreachListErrorText(PathToQString(ReadBreachListPath()), error);
    options.breachList = nullptr;
    report = AnalyzeHealth(tree_, options);
  }
  progress.reset();
  analysing_ = false;
  breachListRead_ = options.breachList != nullptr;
  if (report.cancelled) {
    report_ = {};
    Lista->clear();
    notraResumen->setText(Msg(msg::kHealthCancelled));
    notraCuentas->clear();
    outOfDate_ = true;
    return false;
  }
  // The selection stays on its account; the pointer is only compared with the new report's.
  const TreeNode* selected = SelectedAccount();
  const bool firstReport = report_.entries.empty() && Lista->topLevelItemCount() == 0;
  report_ = std::move(report);
  Fill(report_, ReadBool(settings::kConfiguracion, settings::kMostrarPass, false));
  for (int row = 0; row < Lista->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = Lista->topLevelItem(row);
    const auto k = item->data(kAccountColumn, Qt::UserRole).toULongLong();
    if ((selected && report_.entries[k].node == selected) || (!selected && firstReport)) {
      Lista->setCurrentItem(item);
      break;
    }
  }
  ShowBreachListNote(note);
  return true;
}

void TFSaludClaves::Fill(const HealthReport& report, bool showPasswords) {
  Lista->clear();
  QStringList headings = {Msg(msg::kHealthColumnAccount), Msg(msg::kHealthColumnFindings),
                          Msg(msg::kHealthColumnStrength)};
  if (showPasswords) headings << Msg(msg::kHealthColumnPassword);
  Lista->setColumnCount(static_cast<int>(headings.size()));
  Lista->setHeaderLabels(headings);
  const auto [column, order] = sortedBy_;
  Lista->sortByColumn(column < Lista->columnCount() ? column : kFindingsColumn, order);
  notraResumen->setText(
      Msg(msg::kHealthSummary).arg(CountText(report.accounts), CountText(report.entries.size())));
  notraCuentas->setText(report.entries.empty() ? Msg(msg::kHealthNoFindings)
                                               : HealthCountsText(report, breachListRead_));
  QList<QTreeWidgetItem*> items;
  for (std::size_t k = 0; k < report.entries.size(); ++k) {
    const AccountHealth& entry = report.entries[k];
    auto* item = new HealthItem;
    item->setText(kAccountColumn, PathText(entry.node));
    item->setData(kAccountColumn, kSortRole, PathText(entry.node));
    item->setData(kFindingsColumn, kSortRole, static_cast<qlonglong>(k));
    item->setData(
        kStrengthColumn, kSortRole,
        static_cast<qlonglong>(entry.score) * static_cast<qlonglong>(report.entries.size()) +
            static_cast<qlonglong>(k));
    item->setIcon(kAccountColumn, pictures_[static_cast<std::size_t>(std::clamp(
                                      entry.node->data.ImageIndex, 0, kNodePictureCount - 1))]);
    QStringList findings;
    for (const HealthFinding& finding : entry.findings) findings << FindingText(finding);
    item->setText(kFindingsColumn, findings.join(QStringLiteral(", ")));
    const bool empty = entry.findings.front().kind == HealthKind::Empty;
    item->setText(kStrengthColumn, empty ? QString() : StrengthWord(entry.score));
    if (showPasswords) {
      item->setText(kPasswordColumn, FromCp1252(entry.node->data.Password));
      item->setData(kPasswordColumn, kSortRole, item->text(kPasswordColumn));
    }
    item->setData(kAccountColumn, Qt::UserRole, static_cast<qulonglong>(k));
    items << item;
  }
  Lista->addTopLevelItems(items);
  Lista->header()->resizeSections(QHeaderView::ResizeToContents);
}

void TFSaludClaves::ShowBreachListNote(const QString& note) {
  notraFiltradas->setText(note);
  notraFiltradas->setVisible(!note.isEmpty());
  FitNotes();
}

void TFSaludClaves::FitNotes() {
  for (QLabel* label : {notraCuentas, lblLista, notraFiltradas}) {
    const int width = label->width() > 0 ? label->width() : label->sizeHint().width();
    label->setMinimumHeight(label->text().isEmpty() ? 0 : label->heightForWidth(width));
  }
}

void TFSaludClaves::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FitNotes();
}

void TFSaludClaves::ListaItemActivated(QTreeWidgetItem* item) {
  const auto k = item->data(kAccountColumn, Qt::UserRole).toULongLong();
  if (k >= report_.entries.size()) return;
  // The row's own account, and no other: the pointer is compared, never followed, until the
  // tree confirms it still holds that node.
  const TreeNode* account = report_.entries[k].node;
  TreeNode* node = tree_.NodeAtTreeIndex(report_.entries[k].treeIndex);
  if (node != account) node = TreeHolds(tree_, account) ? const_cast<TreeNode*>(account) : nullptr;
  if (node) emit nodeChosen(node);
  if (outOfDate_ || !node) static_cast<void>(Analyze());
}

bool TFSaludClaves::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && outOfDate_ && isVisible())
    QTimer::singleShot(0, this, [this] {
      if (outOfDate_ && isVisible()) static_cast<void>(Analyze());
    });
  return QDialog::event(event);
}

void TFSaludClaves::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    TranslateWindow(this, false);
    setWindowTitle(Msg(msg::kHealthCaption));
    if (isVisible() && !analysing_) static_cast<void>(Analyze());  // its texts anew
  }
  QDialog::changeEvent(event);
}

void TFSaludClaves::hideEvent(QHideEvent* event) {
  Lista->clear();
  report_ = {};
  outOfDate_ = true;
  QDialog::hideEvent(event);
}

}  // namespace bv
