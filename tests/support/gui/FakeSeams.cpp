#include "support/gui/FakeSeams.h"

#include <utility>

#include "config/Translation.h"

namespace bv::test {

bool FakeBoxes::Answer(Kind kind, const QString& text) {
  shown.push_back({kind, text});
  if (whileShown) whileShown();
  if (answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

SaveAnswer FakeBoxes::ConfirmSave(const QString& text) {
  if (saveAnswers.empty()) return Answer(Kind::Confirm, text) ? SaveAnswer::Yes : SaveAnswer::No;
  shown.push_back({Kind::Confirm, text});
  const SaveAnswer answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

std::optional<QString> FakeFiles::Next(const FileDialogEntry& entry) {
  titles.append(entry.title());
  if (failure) std::exchange(failure, nullptr)();
  const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
  if (answer.isEmpty()) return std::nullopt;
  return answer;
}

std::optional<QString> FakeFiles::Open(const FileDialogEntry& entry, const QString& start) {
  starts.append(start);
  return Next(entry);
}

std::optional<QString> FakeFiles::Save(const FileDialogEntry& entry, const QString& start,
                                       const NameCheck& accept) {
  starts.append(start);
  // Like the real dialog: a refused name sends the user back for the next answer.
  while (true) {
    auto answer = Next(entry);
    if (!answer || !accept || accept(*answer)) return answer;
  }
}

Seams FakeSeams::Take() {
  Seams seams;
  auto b = std::make_unique<FakeBoxes>();
  auto f = std::make_unique<FakeFiles>();
  auto d = std::make_unique<FakeDesktop>();
  auto c = std::make_unique<FakeClipboard>();
  boxes = b.get();
  files = f.get();
  desktop = d.get();
  clipboard = c.get();
  seams.boxes = std::move(b);
  seams.files = std::move(f);
  seams.desktop = std::move(d);
  if (realClipboard)
    clipboard = nullptr;  // the window installs the desktop's clipboard
  else
    seams.clipboard = std::move(c);
  return seams;
}

}  // namespace bv::test
