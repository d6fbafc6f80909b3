#include "app/TFPrincipal.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/BrowserIntegration.h"
#include "app/DiskFollower.h"
#include "app/IdleLock.h"
#include "app/MainActions.h"
#include "app/MainMenus.h"
#include "app/MainWindowEditing.h"
#include "app/MainWindowSession.h"
#include "app/ProfileSession.h"
#include "app/QtSeams.h"
#include "app/RecentMenus.h"
#include "app/SessionController.h"
#include "app/ToolCommands.h"
#include "app/TreeViewMemory.h"
#include "app/WindowEvents.h"
#include "app/WindowPlacement.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "browser/ExpiringClipboard.h"
#include "browser/TreeModel.h"
#include "config/MessageIds.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "ui/Pictures.h"

namespace bv {
namespace {

constexpr int kInitialWidth = 689;
constexpr int kInitialHeight = 429;
constexpr int kStatusPanelWidth = 120;
constexpr int kSplitterWidth = 4;
// The least the detail view keeps beside a wide tree: room for a page's labels and values.
constexpr int kMinimumDetailWidth = 200;
// Long enough to be read after a glance at the window.
constexpr int kNoteMilliseconds = 15000;

// The seams a test did not replace are the real ones.
Seams Completed(Seams seams) {
  Seams qt = MakeQtSeams();
  if (!seams.boxes) seams.boxes = std::move(qt.boxes);
  if (!seams.files) seams.files = std::move(qt.files);
  if (!seams.desktop) seams.desktop = std::move(qt.desktop);
  if (!seams.clipboard) seams.clipboard = std::move(qt.clipboard);
  if (!seams.printer) seams.printer = std::move(qt.printer);
  return seams;
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace

QFont TFPrincipal::WindowFont() {
  // MS Sans Serif 8 pt, which Linux desktops do not have: DejaVu Sans stands in.
  QFont font(QStringLiteral("MS Sans Serif"), 8);
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  return font;
}

TFPrincipal::TFPrincipal(Seams seams, QWidget* parent)
    : QMainWindow(parent), seams_(Completed(std::move(seams))) {
  RegisterPictures();
  setObjectName(QStringLiteral("FPrincipal"));
  setFont(WindowFont());
  profile_ = new ProfileSession(this);
  viewMemory_ = std::make_unique<TreeViewMemory>();
  actions_ = std::make_unique<MainActions>(this);
  events_ = std::make_unique<WindowEvents>(*this, *actions_);
  menus_ = std::make_unique<MainMenus>(this, *actions_);
  recent_ = std::make_unique<RecentMenus>(menus_->recentFile + menus_->recentPopup, this);

  // Reading the settings first lets the layout take the window's place and the tree's width
  // at once; the flags are copied in the order of the start-up sequence below.
  const StartSettings start = ReadStartSettings();
  BuildLayout(start);
  CreateFileDialogs();
  ConnectActions();
  ConnectTree();
  ConnectDetailView();
  FollowSession();
  tools_ = std::make_unique<ToolCommands>(ToolCommands::Parts{
      .window = *this,
      .action = [this](ActionId id) { return Action(id); },
      .fileDialog = [this](FileDialogId id) -> FileDialogEntry& { return FileDialog(id); },
      .profile = *profile_,
      .model = *model_,
      .page = *detail_,
      .seams = seams_,
      .selectedNode = [this] { return SelectedNode(); },
      .selectNode = [this](TreeNode* node) { SelectNode(node); },
      .openDocument = [this](const QString& address) { OpenDocument(address); },
      .followOptions = [this](TFOpciones& dialog) { FollowOptions(dialog); }});
  auto expiring = std::make_unique<ExpiringClipboard>(std::move(seams_.clipboard));
  clipboardExpiry_ = expiring.get();
  seams_.clipboard = std::move(expiring);
  editing_ = std::make_unique<MainWindowEditing>(*this);
  idleLock_ = new IdleLock([this] { IdleTimeout(); }, this);

  // The texts of the window and the messages, from the active language file.
  TranslateWindow(this, true);
  // The behaviour switches (OpenedFromCommandLine starts false) and the delays they set.
  flags_ = start.flags;
  flags_.OpenedFromCommandLine = false;
  ApplySecretDelays();
  // Files dropped on the window are opened as profiles.
  setAcceptDrops(true);
  // The profile session, and the recent menus filled from the recent profiles list.
  profileSession_ = std::make_unique<MainWindowSession>(*this);
  disk_ = new DiskFollower({.session = *profile_,
                            .boxes = *seams_.boxes,
                            .window = *this,
                            .note = [this](const QString& text) { ShowNote(text); }});
  browserLink_ = new BrowserIntegration(*this);  // answers the browser extension when on
  recent_->Refresh();
  // The product's caption, and only the commands that need nothing.
  events_->NoProfile();
}

TFPrincipal::~TFPrincipal() = default;

int TFPrincipal::PlaceWindow(const SavedWindowPlace& place) {
  resize(kInitialWidth, kInitialHeight);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen) move(screen->availableGeometry().center() - rect().center());

  // A place saved on a screen that is gone, or moved out of reach, is not used.
  const QRect saved(place.left, place.top, place.width, place.height);
  QList<QRect> available;
  for (const QScreen* each : QGuiApplication::screens())
    available.append(each->availableGeometry());
  if (place.saved && TopStripIsVisible(saved, available)) {
    setGeometry(saved);
    if (const QScreen* shown = QGuiApplication::screenAt(saved.center())) screen = shown;
  }
  if (!place.maximized) return width();
  setWindowState(windowState() | Qt::WindowMaximized);
  return screen ? screen->availableGeometry().width() : width();
}

void TFPrincipal::BuildLayout(const StartSettings& start) {
  const int openingWidth = PlaceWindow(start.place);

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  auto* line = new QFrame(central);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  column->addWidget(line);

  auto* band = new QFrame(central);
  band->setObjectName(QStringLiteral("CoolBar"));
  band->setFrameShape(QFrame::StyledPanel);
  auto* bandRow = new QHBoxLayout(band);
  bandRow->setContentsMargins(2, 1, 2, 1);
  menus_->toolBar->setParent(band);
  bandRow->addWidget(menus_->toolBar);
  column->addWidget(band);

  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setHandleWidth(kSplitterWidth);
  splitter_->setChildrenCollapsible(false);
  treeView_ = new AccountTreeView(splitter_);
  model_ = new ProfileTreeModel(profile_->Tree(), &NodePicture, this);
  treeView_->SetTreeModel(model_);
  treeView_->SetPopupMenu(menus_->popupTree);

  auto* panel = new QFrame(splitter_);
  panel->setObjectName(QStringLiteral("PanelDetalles"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(1, 1, 1, 1);
  detail_ = new DetailView(panel);
  detail_->setContextMenuPolicy(Qt::CustomContextMenu);
  panelLayout->addWidget(detail_);

  splitter_->addWidget(treeView_);
  splitter_->addWidget(panel);
  // The tree keeps its width when the window is resized; the detail view takes the rest.
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  // A tree saved wider than this window leaves the detail view a readable width.
  const int minimumDetail = std::max(kMinimumDetailWidth, treeView_->minimumSizeHint().width());
  const int treeWidth =
      ClampedTreeWidth(start.treeWidth, openingWidth, kSplitterWidth, minimumDetail);
  splitter_->setSizes({treeWidth, std::max(1, openingWidth - treeWidth - kSplitterWidth)});
  column->addWidget(splitter_, 1);
  setCentralWidget(central);

  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("BarraEstado"));
  statusPanel_ = new QLabel(bar);
  statusPanel_->setFixedWidth(kStatusPanelWidth);
  bar->addWidget(statusPanel_);
  setStatusBar(bar);
}

void TFPrincipal::CreateFileDialogs() {
  const QString profiles =
      QStringLiteral("Archivo de perfil (*.bv3)|*.bv3|Todos los archivos (*.*)|*.*");
  using Kind = FileDialogEntry::Kind;
  const auto add = [this](FileDialogId id, Kind kind, const QString& name, const QString& title,
                          const QString& filter, const QString& extension) {
    fileDialogs_[static_cast<std::size_t>(id)] =
        new FileDialogEntry(kind, name, this, title, filter, extension);
  };
  add(FileDialogId::ODPerfil, Kind::Open, QStringLiteral("ODPerfil"),
      QStringLiteral("Abrir perfil de Brindlevault 3"), profiles, QStringLiteral("bv3"));
  add(FileDialogId::SDPerfil, Kind::Save, QStringLiteral("SDPerfil"),
      QStringLiteral("Guardar perfil como..."), profiles, QStringLiteral("bv3"));
  add(FileDialogId::SDTXT, Kind::Save, QStringLiteral("SDTXT"),
      QStringLiteral("Exportar cuenta como TXT"),
      QStringLiteral("Archivo de texto sin formato (*.txt)|*.txt|Todos los archivos (*.*)|*.*"),
      QStringLiteral("txt"));
  add(FileDialogId::SDHTML, Kind::Save, QStringLiteral("SDHTML"),
      QStringLiteral("Exportar cuenta como HTML"),
      QStringLiteral("Documento HTML (*.html)|*.html|Todos los archivos (*.*)|*.*"),
      QStringLiteral("html"));
  add(FileDialogId::SDExportar, Kind::Save, QStringLiteral("SDExportar"),
      QStringLiteral("Exportar perfil"),
      QStringLiteral("Base de datos de KeePass 4 (*.kdbx)|*.kdbx|Archivo CSV (*.csv)|*.csv|"
                     "CSV completo de Brindlevault, con categorías y grupos (*.csv)|*.csv"),
      QStringLiteral("kdbx"));
}

FileDialogEntry& TFPrincipal::FileDialog(FileDialogId id) const {
  return *fileDialogs_[static_cast<std::size_t>(id)];
}

void TFPrincipal::ConnectActions() {
  MainActions& a = *actions_;
  connect(a[ActionId::ActSalir], &QAction::triggered, this, &QWidget::close);
  connect(a[ActionId::ActAyuda], &QAction::triggered, this, [this] {
    OpenDocument(PathText(HelpDir()) + QLatin1Char('/') + Msg(msg::kHelpFileName));
  });
  connect(a[ActionId::ActLicencia], &QAction::triggered, this, [this] {
    OpenDocument(PathText(DocumentDir()) + QLatin1Char('/') + Msg(msg::kLicenceFileName));
  });
  connect(a[ActionId::ActCambios], &QAction::triggered, this,
          [this] { OpenDocument(PathText(DocumentDir() / "novedades.txt")); });
  connect(a[ActionId::ActWeb], &QAction::triggered, this, [this] {
    OpenDocument(QString::fromUtf8(kProductWebAddress.data(),
                                   static_cast<qsizetype>(kProductWebAddress.size())));
  });
  connect(a[ActionId::ActBorrarCB], &QAction::triggered, this,
          [this] { seams_.clipboard->Clear(); });
}

QAction* TFPrincipal::Action(ActionId id) const { return (*actions_)[id]; }

void TFPrincipal::EnableActionCategories(CategorySet enable, CategorySet disable) {
  actions_->EnableCategories(enable, disable);
}

void TFPrincipal::EnableActionCategories(const QStringList& enable, const QStringList& disable) {
  actions_->EnableCategories(enable, disable);
}

SessionController& TFPrincipal::Sessions() { return profileSession_->Controller(); }

void TFPrincipal::ApplySecretDelays() {
  clipboardExpiry_->SetDelay(std::chrono::seconds(flags_.VaciarTras));
  idleLock_->SetInterval(std::chrono::minutes(flags_.CerrarTras));
}

void TFPrincipal::IdleTimeout() {
  // A dialog or menu open over the window works on the profile: the lock waits for the next
  // interval rather than pull the profile from under it.
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
  Sessions().CloseIdleProfile();
}

void TFPrincipal::SetModified() { profile_->MarkModified(); }

int TFPrincipal::TreeWidth() const { return splitter_->sizes().value(0, 0); }

QString TFPrincipal::StatusPanelText() const { return statusPanel_->text(); }

void TFPrincipal::SetStatusPanelText(const QString& text) { statusPanel_->setText(text); }

void TFPrincipal::DisplayHint(const QString& hint) {
  if (hint.isEmpty())
    statusBar()->clearMessage();  // the panel shows again
  else
    statusBar()->showMessage(hint);
}

void TFPrincipal::ShowNote(const QString& text) {
  statusBar()->showMessage(text, kNoteMilliseconds);
}

QString TFPrincipal::Note() const { return statusBar()->currentMessage(); }

bool TFPrincipal::event(QEvent* event) {
  // Menu items and tool buttons announce their hint (their status tip) on hover.
  if (event->type() == QEvent::StatusTip) {
    DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(event);
}

void TFPrincipal::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // A desktop without a window manager may never activate the window: the first showing
  // counts as the first activation once the event loop runs.
  if (!activated_)
    QMetaObject::invokeMethod(this, &TFPrincipal::FormActivate, Qt::QueuedConnection);
}

void TFPrincipal::FormActivate() {
  if (activated_) return;
  activated_ = true;
  if (ReadStartLanguage()) emit firstRunLanguageWanted();
  ShowWelcomePage();
  emit commandLineProfileWanted();
  if (flags_.CargaUltimo && !flags_.OpenedFromCommandLine) emit lastProfileWanted();
}

void TFPrincipal::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && event->mimeData()->urls().front().isLocalFile())
    event->acceptProposedAction();
  else
    event->ignore();
}

void TFPrincipal::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  // Opened once the drop has returned: the save question and the password box must not hold
  // the file manager's drag open while they wait for the user.
  QTimer::singleShot(0, this,
                     [this, path = urls.front().toLocalFile()] { emit fileDropped(path); });
}

void TFPrincipal::OpenAccountAddress(const QString& address) {
  static const QStringList kOpenedAtOnce = {QStringLiteral("http"), QStringLiteral("https"),
                                            QStringLiteral("ftp"), QStringLiteral("mailto")};
  const QString scheme = DesktopUrlFor(address).scheme().toLower();
  if (!kOpenedAtOnce.contains(scheme) &&
      !seams_.boxes->WarningYesNo(Msg(msg::kOpenUnusualAddress).arg(address)))
    return;
  OpenDocument(address);
}

void TFPrincipal::OpenDocument(const QString& pathOrAddress) {
  // A missing document is said at once: the desktop's launcher would fail out of sight.
  const QUrl url = DesktopUrlFor(pathOrAddress);
  const bool missing = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
  if (missing || !seams_.desktop->Open(pathOrAddress))
    seams_.boxes->Error(Msg(msg::kCannotOpenDocument).replace(QLatin1String("%s"), pathOrAddress));
}

}  // namespace bv
