// The timed emptying of the clipboard, on the desktop's clipboard (offscreen here): only a
// copy of ours that is still there is emptied, and 0 keeps it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "app/IdleLock.h"
#include "app/QtSeams.h"
#include "support/gui/WindowHarness.h"
#include "browser/ExpiringClipboard.h"

namespace bv {
namespace {

using test::Inside;
using namespace std::chrono_literals;

QString ClipboardText() { return QApplication::clipboard()->text(); }

TEST(ClipboardExpiry, EmptiesOnlyOurOwnCopyAfterTheDelay) {
  ExpiringClipboard clipboard(MakeQtSeams().clipboard);
  clipboard.SetDelay(50ms);

  ASSERT_TRUE(clipboard.SetText(QStringLiteral("copia-1")));
  QTest::qWait(20);
  EXPECT_EQ(ClipboardText(), "copia-1");
  QTest::qWait(150);
  EXPECT_EQ(ClipboardText(), "");

  // The user copies something of their own before the delay runs out: it stays.
  ASSERT_TRUE(clipboard.SetText(QStringLiteral("copia-2")));
  QApplication::clipboard()->setText(QStringLiteral("del usuario"));
  QTest::qWait(150);
  EXPECT_EQ(ClipboardText(), "del usuario");

  // 0: never emptied by time; F10 (Clear) still empties at once.
  clipboard.SetDelay(0ms);
  ASSERT_TRUE(clipboard.SetText(QStringLiteral("copia-3")));
  QTest::qWait(150);
  EXPECT_EQ(ClipboardText(), "copia-3");
  EXPECT_TRUE(clipboard.Clear());
  EXPECT_EQ(ClipboardText(), "");
}

TEST(ClipboardExpiry, TheWindowTakesBothDelaysFromTheSettings) {
  {
    test::WindowHarness h;  // no settings file: 30 seconds, no idle lock
    h.Start();
    EXPECT_EQ(Inside(h.window()).ClipboardExpiry().Delay(), 30s);
    EXPECT_FALSE(Inside(h.window()).Idle().Running());
  }
  test::WindowHarness h;
  h.folder.WriteSettings("[Configuracion]\r\nVaciarTras=0\r\nCerrarTras=5\r\n");
  h.Start();
  EXPECT_EQ(Inside(h.window()).ClipboardExpiry().Delay(), 0s);
  EXPECT_TRUE(Inside(h.window()).Idle().Running());
}

}  // namespace
}  // namespace bv
