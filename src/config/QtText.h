#pragma once
// The one place where Windows-1252 bytes meet QString. Characters without a
// Windows-1252 form are refused at input, never turned into '?'.

#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace bv {

[[nodiscard]] QString FromCp1252(std::string_view bytes);
// Empty when the text holds a character that has no Windows-1252 form.
[[nodiscard]] std::optional<std::string> ToCp1252(const QString& text);
[[nodiscard]] bool HasCp1252Form(const QString& text);

// MessageText(n) as a QString.
QString Msg(int n);

// kProductName as a QString: the main window's caption while no profile is open, and the
// title of the program's message boxes.
QString ProductNameText();

// Refuses any input holding a character without a Windows-1252 form.
class Cp1252Validator : public QValidator {
  Q_OBJECT

 public:
  explicit Cp1252Validator(QObject* parent = nullptr);
  State validate(QString& input, int& pos) const override;
};

// Guards every edit field of a window: a Cp1252Validator on each line edit (editable
// combo boxes included) and, on multi-line fields, removal of any inserted character
// that has no Windows-1252 form (typed or pasted).
void InstallCp1252Guards(QWidget* window);

}  // namespace bv
