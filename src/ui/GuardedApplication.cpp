#include "ui/GuardedApplication.h"

#include <QByteArray>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

#include "config/FailureText.h"
#include "ui/Seams.h"

namespace bv {
namespace {

// The failure's own text, for the standard error output: before the main window exists no
// language is loaded, and the program's messages are still empty.
std::string RawText(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return {};
  }
}

}  // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

GuardedApplication::~GuardedApplication() = default;

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    Report(std::current_exception());
  }
  return false;
}

void GuardedApplication::Report(const std::exception_ptr& failure) {
  // Building the text may itself run out of memory: then nothing more can be said.
  try {
    const QString text = FailureText(failure);
    if (!boxes_ || reporting_) {
      const std::string line = text.isEmpty() ? RawText(failure) : text.toLocal8Bit().toStdString();
      std::fprintf(stderr, "%s\n", line.c_str());
      return;
    }
    reporting_ = true;
    boxes_->Error(text);
    reporting_ = false;
  } catch (...) {
    reporting_ = false;
  }
}

}  // namespace bv
