#include "config/FailureText.h"

#include <QByteArray>
#include <array>
#include <new>
#include <stdexcept>

#include "config/CopyFailureText.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "crypto/Exceptions.h"
#include "files/BackupStore.h"
#include "files/FileFingerprint.h"
#include "files/InOutError.h"

namespace bv {
namespace {

// The run-time error numbers with texts of their own, in the order of their messages.
constexpr std::array<int, 6> kIoTextCodes = {kFileNotFound, kInvalidFileName, kTooManyOpenFiles,
                                             kAccessDenied, kReadBeyondEnd,   kDiskFull};

// The cipher's failures are Windows-1252 texts. The rest come from the standard library,
// the system (strerror in the user's locale) and other libraries: UTF-8, and plain ASCII
// most of the time.
QString TextOf(const std::exception& failure, bool cp1252) {
  const QByteArray bytes(failure.what());
  if (!cp1252) {
    QString text = QString::fromUtf8(bytes);
    if (!text.contains(QChar::ReplacementCharacter)) return text;
  }
  return FromCp1252(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString OrGeneral(QString text) {
  return text.trimmed().isEmpty() ? Msg(msg::kUnexpectedFailure) : text;
}

// A message of the language file, or the failure's own text where the file lacks it (an
// older language file).
QString MessageOr(int number, const std::exception& failure, bool cp1252) {
  const QString text = Msg(number);
  return text.isEmpty() ? OrGeneral(TextOf(failure, cp1252)) : text;
}

QString InOutText(const EInOutError& error) {
  const QString reason = InOutErrorMessage(error);
  if (reason.isEmpty()) return OrGeneral(TextOf(error, true));
  if (error.FileName().empty() || Msg(msg::kCannotCreateFile).isEmpty()) return reason;
  return Msg(msg::kCannotCreateFile).arg(QString::fromStdString(error.FileName()), reason);
}

}  // namespace

QString InOutErrorMessage(const EInOutError& error) {
  // A failure of the system's reads as the run-time failure its number makes; a number that
  // is one of ours by chance (EIO is 5) reads "Error I/O 5", as its own text does.
  const EInOutError runTime =
      error.SystemError() != 0 ? EInOutError::FromErrno(error.SystemError()) : error;
  if (runTime.what() == InOutErrorText(runTime.ErrorCode()))
    for (std::size_t i = 0; i < kIoTextCodes.size(); ++i)
      if (kIoTextCodes[i] == runTime.ErrorCode())
        return Msg(msg::kIoFileNotFound + static_cast<int>(i));
  if (error.SystemError() == 0 && error.what() != "Error I/O " + std::to_string(error.ErrorCode()))
    return {};  // a text of its own, not a run-time text
  const QString other = Msg(msg::kIoOtherError);
  return other.isEmpty() ? other : other.arg(runTime.ErrorCode());
}

QString FailureText(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    return Msg(msg::kOutOfMemory);
  } catch (const ENotRegularFile&) {
    return Msg(msg::kNotRegularFile);  // its own text is the command-line tool's, in English
  } catch (const EUnsafeFolder& error) {
    return FromCp1252(CopyFailureText(error));
  } catch (const EChangedWhileRead& error) {
    // Its code is the read-beyond-end failure's, but its own text says more.
    return MessageOr(msg::kChangedWhileRead, error, false);
  } catch (const EInOutError& error) {
    return InOutText(error);
  } catch (const ESettingsWriteError& error) {
    const QString text = MessageOr(msg::kSettingsUnwritable, error, false);
    return text.contains(QLatin1String("%1"))
               ? text.arg(QString::fromStdString(error.SettingsPath()))
               : text;
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

QString CurrentFailureText() { return FailureText(std::current_exception()); }

}  // namespace bv
