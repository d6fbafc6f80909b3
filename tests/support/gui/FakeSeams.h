#pragma once
// Scripted stand-ins for the main window's seams: they answer as told and record what the
// program asked of them. Shared by the GUI tests of every window.

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/Seams.h"

namespace bv::test {

class FakeBoxes : public MessageBoxes {
 public:
  enum class Kind {
    Error,
    Warning,
    Confirm,
    Information,
    Question
  };
  struct Shown {
    Kind kind;
    QString text;
  };

  void Error(const QString& text) override {
    shown.push_back({Kind::Error, text});
    if (whileShown) whileShown();
  }
  bool WarningYesNo(const QString& text) override { return Answer(Kind::Warning, text); }
  SaveAnswer ConfirmSave(const QString& text) override;
  void Information(const QString& text) override { shown.push_back({Kind::Information, text}); }
  // Takes its answer from answers, like WarningYesNo: true for the first button.
  bool Choose(const QString& text, const QString&, const QString&) override {
    return Answer(Kind::Question, text);
  }

  std::vector<Shown> shown;
  std::deque<bool> answers;  // Yes/No answers in order; No once they run out
  // Answers to the save question, taken before answers: Cancel stands for Escape too.
  std::deque<SaveAnswer> saveAnswers;
  // Run while an error box or a question is shown: the time a user takes to read it, as the
  // event loop of a real box turns.
  std::function<void()> whileShown;

 private:
  bool Answer(Kind kind, const QString& text);
};

class FakeFiles : public FileDialogs {
 public:
  std::optional<QString> Open(const FileDialogEntry& entry, const QString& start) override;
  std::optional<QString> Save(const FileDialogEntry& entry, const QString& start,
                              const NameCheck& accept) override;

  int ChosenFilter() const override { return chosenFilter; }

  QStringList answers;  // the chosen paths in order; an empty one, or none left, cancels
  QStringList titles;   // of the dialogs shown
  // Run (once) by the next dialog instead of answering: a test makes a command fail with it.
  std::function<void()> failure;
  QStringList starts;    // where each dialog started
  int chosenFilter = 0;  // the file type every Save reports as chosen

 private:
  std::optional<QString> Next(const FileDialogEntry& entry);
};

class FakeDesktop : public DesktopOpener {
 public:
  bool Open(const QString& pathOrAddress) override {
    opened.append(pathOrAddress);
    return works;
  }
  QStringList opened;
  bool works = true;  // false: no handler for it on this desktop
};

class FakeClipboard : public ClipboardAccess {
 public:
  bool SetText(const QString& value) override {
    if (!works) return false;
    text = lastCopy = value;
    return true;
  }
  // Text put into `text` directly stands for a copy made by another program.
  bool HoldsLastCopy() override { return works && !text.isEmpty() && text == lastCopy; }
  bool Clear() override {
    ++clears;
    if (!works) return false;
    text.clear();
    return true;
  }
  QString text;
  QString lastCopy;
  int clears = 0;
  bool works = true;  // false: another program holds the clipboard
};

// One set of fakes; Take() hands them to a window and keeps pointers for the test.
struct FakeSeams {
  FakeBoxes* boxes = nullptr;
  FakeFiles* files = nullptr;
  FakeDesktop* desktop = nullptr;
  FakeClipboard* clipboard = nullptr;
  bool realClipboard = false;  // set before Take: no fake clipboard
  Seams Take();
};

}  // namespace bv::test
