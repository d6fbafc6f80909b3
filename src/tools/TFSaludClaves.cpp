#include "tools/TFSaludClaves.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
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

namespace bv {
namespace {

enum Column {
  kAccountColumn,
  kFindingsColumn,
  kStrengthColumn,
  kPasswordColumn
};

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
  lblLista->setBuddy(Lista);
  notraFiltradas = Named(new QLabel(this), "notraFiltradas");
  notraFiltradas->setWordWrap(true);
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

void TFSaludClaves::ShowReport() {
  show();
  raise();
  activateWindow();
  static_cast<void>(Analyze());
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
  if (report.cancelled) {
    report_ = {};
    Lista->clear();
    notraResumen->setText(Msg(msg::kHealthCancelled));
    notraCuentas->clear();
    outOfDate_ = true;
    return false;
  }
  report_ = std::move(report);
  Fill(report_, ReadBool(settings::kConfiguracion, settings::kMostrarPass, false));
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
  notraResumen->setText(
      Msg(msg::kHealthSummary)
          .arg(QString::number(report.accounts), QString::number(report.entries.size())));
  notraCuentas->setText(report.entries.empty() ? Msg(msg::kHealthNoFindings)
                                               : HealthCountsText(report));
  QList<QTreeWidgetItem*> items;
  for (std::size_t k = 0; k < report.entries.size(); ++k) {
    const AccountHealth& entry = report.entries[k];
    auto* item = new QTreeWidgetItem;
    item->setText(kAccountColumn, PathText(entry.node));
    item->setIcon(kAccountColumn, pictures_[static_cast<std::size_t>(std::clamp(
                                      entry.node->data.ImageIndex, 0, kNodePictureCount - 1))]);
    QStringList findings;
    for (const HealthFinding& finding : entry.findings) findings << FindingText(finding);
    item->setText(kFindingsColumn, findings.join(QStringLiteral(", ")));
    const bool empty = entry.findings.front().kind == HealthKind::Empty;
    item->setText(kStrengthColumn, empty ? QString() : StrengthWord(entry.score));
    if (showPasswords) item->setText(kPasswordColumn, FromCp1252(entry.node->data.Password));
    item->setData(kAccountColumn, Qt::UserRole, static_cast<qulonglong>(k));
    items << item;
  }
  Lista->addTopLevelItems(items);
  Lista->header()->resizeSections(QHeaderView::ResizeToContents);
  if (!items.isEmpty()) Lista->setCurrentItem(items.front());
}

void TFSaludClaves::ShowBreachListNote(const QString& note) {
  notraFiltradas->setText(note);
  notraFiltradas->setVisible(!note.isEmpty());
}

void TFSaludClaves::ListaItemActivated(QTreeWidgetItem* item) {
  const auto k = item->data(kAccountColumn, Qt::UserRole).toULongLong();
  if (outOfDate_ || k >= report_.entries.size()) {
    static_cast<void>(Analyze());
    return;
  }
  const AccountHealth& entry = report_.entries[k];
  // The pointer is compared, never followed, until the tree confirms it.
  TreeNode* node = tree_.NodeAtTreeIndex(entry.treeIndex);
  if (node != entry.node) {
    static_cast<void>(Analyze());
    return;
  }
  emit nodeChosen(node);
}

bool TFSaludClaves::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && outOfDate_ && isVisible())
    QTimer::singleShot(0, this, [this] {
      if (outOfDate_ && isVisible()) static_cast<void>(Analyze());
    });
  return QDialog::event(event);
}

void TFSaludClaves::hideEvent(QHideEvent* event) {
  Lista->clear();
  report_ = {};
  outOfDate_ = true;
  QDialog::hideEvent(event);
}

}  // namespace bv
