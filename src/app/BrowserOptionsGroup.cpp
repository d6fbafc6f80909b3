#include "app/BrowserOptionsGroup.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "app/BrowserIntegration.h"
#include "app/BrowserTexts.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "ui/Seams.h"

namespace bv {
namespace {

constexpr std::string_view kSection = "Navegador";

// The group's texts are numbered messages, not keys of the dialog's section: its controls
// stay unnamed (labels "notra..."), so that translating the dialog passes them by.
QCheckBox* NewBox(QWidget* parent, bool checked) {
  auto* box = new QCheckBox(parent);
  box->setChecked(checked);
  return box;
}

// The caption of a browser's box: its product name, which no language changes.
QString BrowserCaption(const std::string& key) {
  if (key == "Chrome") return QStringLiteral("Google Chrome");
  if (key == "Edge") return QStringLiteral("Microsoft Edge");
  return QString::fromStdString(key);
}

}  // namespace

BrowserOptionsGroup::BrowserOptionsGroup(BrowserIntegration& integration, MessageBoxes& boxes,
                                         std::filesystem::path home, std::filesystem::path proxy,
                                         QWidget* parent)
    : QGroupBox(parent),
      integration_(integration),
      boxes_(boxes),
      home_(std::move(home)),
      proxy_(std::move(proxy)) {
  Build();
  ShowTexts();
  ShowConnections();
}

void BrowserOptionsGroup::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ShowTexts();
  QGroupBox::changeEvent(event);
}

void BrowserOptionsGroup::ShowTexts() {
  setTitle(Msg(kMsgBrowserGroup));
  on_->setText(Msg(kMsgBrowserOn));
  browsersCaption_->setText(Msg(kMsgBrowsers));
  httpToo_->setText(Msg(kMsgHttpToo));
  exactPath_->setText(Msg(kMsgExactPath));
  connections_->setAccessibleName(Msg(kMsgConnections));
  remove_->setText(Msg(kMsgRemove));
  forget_->setText(Msg(kMsgForgetSites));
  ShowConnectionsCaption();
}

void BrowserOptionsGroup::ShowConnectionsCaption() {
  // Connections belong to a profile: with none open there is nothing to list.
  connectionsCaption_->setText(
      Msg(integration_.IsProfileOpen() ? kMsgConnections : kMsgNoProfileOpen));
}

void BrowserOptionsGroup::Build() {
  const BrowserOptions options = BrowserOptions::Read();
  auto* column = new QVBoxLayout(this);
  on_ = NewBox(this, options.on);
  column->addWidget(on_);
  auto* browsersRow = new QHBoxLayout;
  browsersCaption_ = new QLabel(this);
  browsersRow->addWidget(browsersCaption_);
  const char* path = std::getenv("PATH");
  for (auto& target : KnownBrowsers(home_)) {
    // Only the browsers this computer has are offered.
    if (!IsInstalled(target, path ? path : "")) continue;
    const bool checked = ReadBool(kSection, target.key, true);
    auto* box = new QCheckBox(BrowserCaption(target.key), this);
    box->setChecked(checked);
    browsersRow->addWidget(box);
    browsers_.push_back({target, box});
  }
  browsersRow->addStretch();
  column->addLayout(browsersRow);
  httpToo_ = NewBox(this, options.httpToo);
  exactPath_ = NewBox(this, options.exactPath);
  column->addWidget(httpToo_);
  column->addWidget(exactPath_);
  connectionsCaption_ = new QLabel(this);
  connectionsCaption_->setObjectName(QStringLiteral("notraConexiones"));
  connectionsCaption_->setWordWrap(true);
  connections_ = new QListWidget(this);
  connections_->setObjectName(QStringLiteral("ListaConexiones"));
  connections_->setMaximumHeight(80);
  connectionsCaption_->setBuddy(connections_);
  remove_ = new QPushButton(this);
  forget_ = new QPushButton(this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(remove_);
  buttons->addWidget(forget_);
  buttons->addStretch();
  column->addWidget(connectionsCaption_);
  column->addWidget(connections_);
  column->addLayout(buttons);

  connect(on_, &QCheckBox::toggled, this, &BrowserOptionsGroup::OnChanged);
  connect(httpToo_, &QCheckBox::toggled, this, &BrowserOptionsGroup::WriteRules);
  connect(exactPath_, &QCheckBox::toggled, this, &BrowserOptionsGroup::WriteRules);
  for (const auto& browser : browsers_) {
    connect(browser.box, &QCheckBox::toggled, this,
            [this, &browser](bool checked) { BrowserChanged(browser, checked); });
  }
  connect(remove_, &QPushButton::clicked, this, &BrowserOptionsGroup::RemoveConnection);
  connect(forget_, &QPushButton::clicked, this, &BrowserOptionsGroup::ForgetSites);
  connect(connections_, &QListWidget::currentRowChanged, this,
          [this](int row) { remove_->setEnabled(row >= 0); });
}

void BrowserOptionsGroup::ShowConnections() {
  connections_->clear();
  const bool open = integration_.IsProfileOpen();
  ShowConnectionsCaption();
  connections_->setEnabled(open);
  if (open) {
    for (const auto& connection : integration_.Store().Connections(integration_.ProfileKey())) {
      connections_->addItem(QString::fromStdString(connection.name));
    }
  }
  remove_->setEnabled(open && connections_->currentRow() >= 0);
  forget_->setEnabled(open && integration_.Store().SiteCount(integration_.ProfileKey()) > 0);
}

void BrowserOptionsGroup::Follow(const BrowserTarget& target, bool wanted) {
  bool done = true;
  if (!wanted) {
    done = RemoveManifest(target, proxy_);
  } else if (InspectManifest(target.manifest, proxy_) == ManifestState::Foreign) {
    // Another program's manifest: replaced only when the user says so, and kept.
    if (!boxes_.WarningYesNo(
            Msg(kMsgReplaceManifest).arg(QString::fromStdString(target.manifest.string())))) {
      return;
    }
    done = WriteManifest(target, proxy_, true);
  } else {
    done = WriteManifest(target, proxy_, false);
  }
  if (!done) {
    boxes_.Error(Msg(kMsgManifestFailed).arg(QString::fromStdString(target.manifest.string())));
  }
}

void BrowserOptionsGroup::OnChanged(bool on) {
  try {
    WriteBool(kSection, "Activo", on);
  } catch (const ESettingsWriteError& error) {
    boxes_.Error(QString::fromLocal8Bit(error.what()));
  }
  for (const auto& browser : browsers_) Follow(browser.target, on && browser.box->isChecked());
  integration_.ApplyOptions();
}

void BrowserOptionsGroup::BrowserChanged(const BrowserBox& browser, bool checked) {
  try {
    WriteBool(kSection, browser.target.key, checked);
  } catch (const ESettingsWriteError& error) {
    boxes_.Error(QString::fromLocal8Bit(error.what()));
  }
  if (on_->isChecked()) Follow(browser.target, checked);
}

void BrowserOptionsGroup::WriteRules() {
  BrowserOptions options = BrowserOptions::Read();
  options.httpToo = httpToo_->isChecked();
  options.exactPath = exactPath_->isChecked();
  try {
    options.Write();
  } catch (const ESettingsWriteError& error) {
    boxes_.Error(QString::fromLocal8Bit(error.what()));
  }
}

void BrowserOptionsGroup::RemoveConnection() {
  const auto* item = connections_->currentItem();
  if (!item || !integration_.IsProfileOpen()) return;
  auto& store = integration_.Store();
  store.RemoveConnection(integration_.ProfileKey(), item->text().toStdString());
  store.Save();
  ShowConnections();
}

void BrowserOptionsGroup::ForgetSites() {
  if (!integration_.IsProfileOpen()) return;
  integration_.Store().ForgetSites(integration_.ProfileKey());
  integration_.Store().Save();
  ShowConnections();
}

}  // namespace bv
