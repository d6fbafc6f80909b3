#pragma once
// The seams as the running program has them: QMessageBox, QFileDialog, Qt's print
// dialog, QDesktopServices and the system clipboard.

#include <QUrl>
#include <memory>

class QFileDialog;
class QWidget;

#include "ui/Seams.h"

namespace bv {

Seams MakeQtSeams();

// The open dialog as the file seam shows it.
std::unique_ptr<QFileDialog> MakeOpenDialog(const FileDialogEntry& entry, const QString& start,
                                            QWidget* parent = nullptr);

// The address the desktop is given: an absolute path becomes a file address, an address
// typed without its scheme ("www.example.com") a web address.
QUrl DesktopUrlFor(const QString& pathOrAddress);

}  // namespace bv
