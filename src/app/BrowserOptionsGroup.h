#pragma once
// The group "Integración con el navegador" of the options dialog: answering the extension on
// or off, one box per installed browser (whose manifests are written while it is on), the
// "http too" and "exact path" rules, and the open profile's connections, which can be
// removed. Every change is written at once, as the rest of the dialog does.

#include <QGroupBox>
#include <filesystem>
#include <vector>

#include "extension/HostManifests.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace bv {

class BrowserIntegration;
class MessageBoxes;

class BrowserOptionsGroup : public QGroupBox {
  Q_OBJECT

 public:
  // home: where the browsers keep their manifests; proxy: the installed host program.
  BrowserOptionsGroup(BrowserIntegration& integration, MessageBoxes& boxes,
                      std::filesystem::path home, std::filesystem::path proxy,
                      QWidget* parent = nullptr);

 protected:
  // A change of language while the dialog is open: the group speaks the new one at once.
  void changeEvent(QEvent* event) override;

 private:
  struct BrowserBox {
    BrowserTarget target;
    QCheckBox* box;
  };

  void Build();
  void ShowTexts();
  void ShowConnectionsCaption();
  void ShowConnections();
  void OnChanged(bool on);
  void BrowserChanged(const BrowserBox& browser, bool checked);
  void WriteRules();
  // Writes or removes the manifest of one browser; reports what failed.
  void Follow(const BrowserTarget& target, bool wanted);
  void RemoveConnection();
  void ForgetSites();

  BrowserIntegration& integration_;
  MessageBoxes& boxes_;
  std::filesystem::path home_;
  std::filesystem::path proxy_;
  QCheckBox* on_ = nullptr;
  QCheckBox* httpToo_ = nullptr;
  QCheckBox* exactPath_ = nullptr;
  QLabel* browsersCaption_ = nullptr;
  std::vector<BrowserBox> browsers_;
  QLabel* connectionsCaption_ = nullptr;
  QListWidget* connections_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* forget_ = nullptr;
};

}  // namespace bv
