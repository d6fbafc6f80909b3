#include "DialogAnswerer.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace bv::test {

DialogAnswerer::DialogAnswerer() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
}

DialogAnswerer::~DialogAnswerer() {
  for (const auto& [name, script] : expected_)
    ADD_FAILURE() << "dialog never shown: " << name.toStdString();
}

void DialogAnswerer::Expect(const QString& windowName, Script script) {
  expected_.emplace_back(windowName, std::move(script));
  timer_.start();
}

void DialogAnswerer::Poll() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (!dialog || expected_.empty()) return;
  auto [name, script] = std::move(expected_.front());
  expected_.pop_front();
  if (expected_.empty()) timer_.stop();
  ++answered_;
  if (dialog->objectName() != name) {
    ADD_FAILURE() << "expected dialog " << name.toStdString() << ", got "
                  << dialog->objectName().toStdString();
    dialog->reject();
    return;
  }
  script(*dialog);
  if (dialog->isVisible()) {
    ADD_FAILURE() << name.toStdString() << " left open by its script";
    dialog->reject();
  }
}

}  // namespace bv::test
