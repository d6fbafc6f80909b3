// How the detail view lays out and draws its pages: margins, wrapping, fonts, colours,
// scroll bar, scroll position and the text that cannot be selected.

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "support/gui/ViewProbe.h"

namespace bv {
namespace {

using test::FormatOf;

TNodeData Account(std::string description = {}) {
  TNodeData d = TNodeData::Create(NodeKind::Account, 0);
  d.Name = "Acme";
  d.Description = std::move(description);
  d.UserName = "ana";
  d.Password = "s3cret";
  return d;
}

std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "palabra ";
  return text;
}

class ViewerSettingsTest : public ::testing::Test {
 protected:
  ViewerSettingsTest() { view_.SetMessageSource(test::SpanishMessages()); }

  void ShowAt(int width, int height, const TNodeData& d) {
    view_.resize(width, height);
    view_.show();
    view_.ShowAccountPage(d, false);
  }

  // The right end of the longest line of the page, in document coordinates.
  double WidestLineEnd() const {
    double widest = 0;
    for (QTextBlock b = view_.document()->begin(); b.isValid(); b = b.next()) {
      const QTextLayout* layout = b.layout();
      const double left = view_.document()->documentLayout()->blockBoundingRect(b).left();
      for (int i = 0; i < layout->lineCount(); ++i)
        widest =
            std::max(widest, left + layout->lineAt(i).x() + layout->lineAt(i).naturalTextWidth());
    }
    return widest;
  }

  DetailView view_;
};

TEST_F(ViewerSettingsTest, LinesWrapAtTheViewsWidthButNeverBeyond620Pixels) {
  ShowAt(1200, 400, Account(Words(200)));
  EXPECT_LE(WidestLineEnd(), 10 + 620);
  EXPECT_GT(WidestLineEnd(), 500);

  ShowAt(300, 400, Account(Words(200)));
  EXPECT_LE(WidestLineEnd(), view_.viewport()->width() - 10);
  EXPECT_EQ(view_.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ViewerSettingsTest, TextStartsTenPixelsFromTheLeftEdge) {
  ShowAt(500, 400, Account());
  QTextCursor start(view_.document());
  EXPECT_NEAR(view_.cursorRect(start).left(), 10, 1);
}

TEST_F(ViewerSettingsTest, StylesUseTheirFontsSizesAndColours) {
  ShowAt(500, 400, Account());
  const QTextCharFormat name = FormatOf(view_, "Acme");  // style 7
  EXPECT_EQ(QFontInfo(name.font()).family(), "DejaVu Sans");
  EXPECT_EQ(name.fontPointSize(), 10);
  EXPECT_EQ(name.fontWeight(), QFont::Bold);

  const QTextCharFormat value = FormatOf(view_, "ana");  // style 8
  EXPECT_EQ(value.fontPointSize(), 8);
  EXPECT_EQ(value.fontWeight(), QFont::Normal);

  const QTextCharFormat hidden = FormatOf(view_, "(oculta)");  // style 16
  EXPECT_EQ(hidden.foreground().color(), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(hidden.fontPointSize(), 8);

  const QTextCharFormat link = FormatOf(view_, "Editar la cuenta");  // style 5
  EXPECT_FALSE(link.fontUnderline());
  EXPECT_EQ(link.foreground().color(), QColor(Qt::black));

  const QStringList families = name.fontFamilies().toStringList();
  EXPECT_EQ(families.value(0), "Verdana");
  EXPECT_EQ(families.value(1), "DejaVu Sans");
}

TEST_F(ViewerSettingsTest, PageIsDrawnOnWhiteWithTheScrollBarAlwaysShown) {
  ShowAt(500, 400, Account());
  EXPECT_TRUE(view_.verticalScrollBar()->isVisible());
  EXPECT_EQ(view_.verticalScrollBar()->maximum(), 0);  // the page fits: still shown
  const QImage shot = view_.viewport()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(shot.width() - 5, shot.height() - 5), QColor(Qt::white));
}

TEST_F(ViewerSettingsTest, TextCannotBeSelected) {
  ShowAt(500, 400, Account());
  const QPoint from = test::PointInside(view_, "Cuenta");
  const QPoint to = test::PointInside(view_, "ana");
  QTest::mousePress(view_.viewport(), Qt::LeftButton, {}, from);
  QTest::mouseMove(view_.viewport(), to);
  QTest::mouseRelease(view_.viewport(), Qt::LeftButton, {}, to);
  QTest::mouseDClick(view_.viewport(), Qt::LeftButton, {}, from);
  EXPECT_FALSE(view_.textCursor().hasSelection());
  QTest::keyClick(&view_, Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(view_.textCursor().hasSelection());
}

TEST_F(ViewerSettingsTest, ScrollPositionSurvivesARedrawWhenRestored) {
  std::string lines;
  for (int i = 0; i < 60; ++i) lines += "linea " + std::to_string(i) + "\r\n";
  ShowAt(400, 200, Account(lines));
  ASSERT_GT(view_.verticalScrollBar()->maximum(), 100);
  view_.SetVerticalScroll(100);
  const int kept = view_.VerticalScroll();
  EXPECT_EQ(kept, 100);

  view_.ShowAccountPage(Account(lines), true);  // as "Mostrar ocultos" draws it
  EXPECT_EQ(view_.VerticalScroll(), 0);
  view_.SetVerticalScroll(kept);
  EXPECT_EQ(view_.VerticalScroll(), 100);
  EXPECT_TRUE(view_.toPlainText().contains("s3cret"));
}

}  // namespace
}  // namespace bv
