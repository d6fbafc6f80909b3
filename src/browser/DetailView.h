#pragma once
// The detail view "Resulta": a read-only rich-text browser on the right of the main window,
// showing one page at a time (welcome, empty profile, summary, account, group). Its links
// are numbered in page order; what a click or a hover does depends on the page shown.

#include <QTextBrowser>
#include <chrono>

#include "browser/DetailPage.h"

class QTimer;

namespace bv {

// Gives the document the field and link bullets drawn for a screen of the given pixel
// density (the 32x32 drawings from 1.5 up), in place of the files its pages name.
void AddBulletPictures(QTextDocument& document, qreal ratio);

class DetailView : public QTextBrowser {
  Q_OBJECT

 public:
  explicit DetailView(QWidget* parent = nullptr);

  // The page on view; the enum keeps the numbers the main window stores.
  bv::PageKind PageKind() const { return page_.kind; }

  void ShowWelcomePage();
  void ShowEmptyProfilePage(const TProfileHeader& header);
  void ShowProfileSummary(const SummaryInfo& info);
  // Returns the copy commands of the rows drawn plainly; showHidden draws the password and
  // the answer in clear.
  CopyFields ShowAccountPage(const TNodeData& node, bool showHidden);
  void ShowGroupPage(const TNodeData& node);

  int VerticalScroll() const;
  void SetVerticalScroll(int value);

  // The page on view, as drawn.
  const DetailPage& Page() const { return page_; }

  // Writes the two-step code of the account page, as it is at now, over the one shown: the
  // rest of the page stays as drawn (hidden values shown, scroll position). A timer calls it
  // every second while such a page is on view.
  void UpdateTwoStepCode(std::chrono::system_clock::time_point now);

  // Message texts come from the active language unless a test gives fixed ones.
  void SetMessageSource(MessageFn message);

 signals:
  void openUrlRequested(const QString& address);
  void exportHtmlRequested();
  void exportTextRequested();
  void editRequested();
  // The status bar panel's text: empty first (clearing it), then the hover text if any.
  void statusTextChanged(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Show(DetailPage page);
  void LinkClicked(const QUrl& url);
  void HoverLink(int link);
  void PaintLink(int link, const QColor& colour);
  int LinkStyle(int link) const;
  int LinkNumber(const QString& href) const;
  QColor WindowTextColour() const;
  void FitWrapWidth();

  DetailPage page_;
  MessageFn message_;
  QTimer* codeTimer_;
  int hoveredLink_ = -1;
};

}  // namespace bv
