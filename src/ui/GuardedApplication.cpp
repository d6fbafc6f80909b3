#include "ui/GuardedApplication.h"

#include <QByteArray>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "crypto/Exceptions.h"
#include "files/InOutError.h"
#include "ui/Seams.h"

namespace bv {
namespace {

// The file failures and the cipher's own are Windows-1252 texts. The rest come from the
// standard library, the system (strerror in the user's locale) and other libraries: UTF-8,
// and plain ASCII most of the time.
QString TextOf(const std::exception& failure, bool cp1252) {
  const QByteArray bytes(failure.what());
  if (!cp1252) {
    QString text = QString::fromUtf8(bytes);
    if (!text.contains(QChar::ReplacementCharacter)) return text;
  }
  return FromCp1252(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

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

QString OrGeneral(QString text) {
  return text.trimmed().isEmpty() ? Msg(msg::kUnexpectedFailure) : text;
}

}  // namespace

QString FailureText(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    return Msg(msg::kOutOfMemory);
  } catch (const ENotRegularFile&) {
    return Msg(msg::kNotRegularFile);  // its own text is the command-line tool's, in English
  } catch (const EInOutError& error) {
    return OrGeneral(TextOf(error, true));
  } catch (const EProtection& error) {
    return OrGeneral(TextOf(error, true));
  } catch (const EStringFormat& error) {
    return OrGeneral(TextOf(error, true));
  } catch (const std::exception& error) {
    return OrGeneral(TextOf(error, false));
  } catch (...) {
    return Msg(msg::kUnexpectedFailure);
  }
}

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
