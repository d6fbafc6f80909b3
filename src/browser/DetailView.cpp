#include "browser/DetailView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextFrame>
#include <QTimer>

#include "browser/DetailViewHtml.h"
#include "config/Messages.h"
#include "config/WipedQtText.h"
#include "crypto/WipedText.h"
#include "ui/Pictures.h"

namespace bv {
namespace {

constexpr int kSideMargin = 10;
constexpr int kMaxLineWidth = 620;

// An account page holds the values it shows, the password among them when shown.
void WipePage(DetailPage& page) {
  for (PageParagraph& paragraph : page.paragraphs)
    for (PagePiece& piece : paragraph.pieces) WipeString(piece.text);
  for (PageLink& link : page.links) {
    WipeString(link.address);
    WipeString(link.hover);
  }
}

// Just past the next whole second of the clock, when the seconds left change: a new code
// shows as soon as its period begins.
int MillisecondsToNextSecond() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto into = std::chrono::duration_cast<std::chrono::milliseconds>(now).count() % 1000;
  return static_cast<int>(1000 - into) + 10;
}

}  // namespace

DetailView::DetailView(QWidget* parent)
    : QTextBrowser(parent), message_([](int n) { return MessageText(n); }) {
  setObjectName(QStringLiteral("Resulta"));
  // Our own link handling: with the browser's, a click would load the href and wipe the page.
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setTextInteractionFlags(Qt::LinksAccessibleByMouse);  // links work, text is not selectable
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The main window supplies the pop-up menu; the browser's own (Copy, Select All) never shows.
  setContextMenuPolicy(Qt::CustomContextMenu);
  document()->setUndoRedoEnabled(false);
  QPalette p = palette();
  p.setColor(QPalette::Base, Qt::white);
  setPalette(p);
  connect(this, &QTextBrowser::anchorClicked, this, &DetailView::LinkClicked);
  codeTimer_ = new QTimer(this);
  codeTimer_->setSingleShot(true);
  connect(codeTimer_, &QTimer::timeout, this, [this] {
    UpdateTwoStepCode(std::chrono::system_clock::now());
    codeTimer_->start(MillisecondsToNextSecond());
  });
  FitWrapWidth();
}

void AddBulletPictures(QTextDocument& document, qreal ratio) {
  const std::pair<const char*, int> bullets[] = {{kFieldBulletPicture, 28},
                                                 {kLinkBulletPicture, 29}};
  for (const auto& [name, picture] : bullets)
    document.addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(name)),
                         ButtonPicture(picture).pixmap(QSize(16, 16), ratio));
}

void DetailView::SetMessageSource(MessageFn message) { message_ = std::move(message); }

void DetailView::ShowWelcomePage() { Show(BuildWelcomePage(message_)); }

void DetailView::ShowEmptyProfilePage(const TProfileHeader& header) {
  Show(BuildEmptyProfilePage(header, message_));
}

void DetailView::ShowProfileSummary(const SummaryInfo& info) {
  Show(BuildSummaryPage(info, message_));
}

CopyFields DetailView::ShowAccountPage(const TNodeData& node, bool showHidden) {
  Show(BuildAccountPage(node, showHidden, message_));
  return page_.copy;
}

void DetailView::ShowGroupPage(const TNodeData& node) { Show(BuildGroupPage(node, message_)); }

int DetailView::VerticalScroll() const { return verticalScrollBar()->value(); }

void DetailView::SetVerticalScroll(int value) { verticalScrollBar()->setValue(value); }

void DetailView::Show(DetailPage page) {
  hoveredLink_ = -1;  // the old page's links are gone with it
  WipePage(page_);
  // The old page's laid-out lines keep copies of its text that no public call reaches; they
  // go with the document setHtml replaces, through the wiping free().
  page_ = std::move(page);
  // The program's language (QLocale::setDefault follows the language file), unless this view
  // was given a locale of its own: a widget keeps the default it was made with.
  QString html =
      PageHtml(page_, WindowTextColour(), testAttribute(Qt::WA_SetLocale) ? locale() : QLocale());
  setHtml(html);
  WipeQString(html);
  AddBulletPictures(*document(), devicePixelRatioF());
  QTextFrame* root = document()->rootFrame();
  QTextFrameFormat frame = root->frameFormat();
  frame.setLeftMargin(kSideMargin);
  frame.setRightMargin(kSideMargin);
  root->setFrameFormat(frame);
  viewport()->update();
  if (page_.seed)
    codeTimer_->start(MillisecondsToNextSecond());
  else
    codeTimer_->stop();
}

void DetailView::UpdateTwoStepCode(std::chrono::system_clock::time_point now) {
  if (!page_.seed || !isVisible()) return;
  const QString code = QString::fromUtf8(TwoStepCodeText(*page_.seed, now, message_));
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().anchorNames().contains(QLatin1String(kLiveCodeAnchor))) continue;
      // The anchor may mark the first character only; the code runs to the line's end.
      QTextCursor cursor(document());
      cursor.setPosition(fragment.position());
      cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
      if (cursor.selectedText() != code) cursor.insertText(code, fragment.charFormat());
      return;
    }
}

void DetailView::LinkClicked(const QUrl& url) {
  const int n = LinkNumber(url.toString());
  if (n < 0) return;
  const PageLink& link = page_.links[static_cast<std::size_t>(n)];
  switch (link.action) {
    case LinkAction::OpenAddress: emit openUrlRequested(QString::fromUtf8(link.address)); break;
    case LinkAction::ExportHtml: emit exportHtmlRequested(); break;
    case LinkAction::ExportText: emit exportTextRequested(); break;
    case LinkAction::Edit: emit editRequested(); break;
    case LinkAction::None: break;
  }
}

// The page's text is not selectable, from the keyboard either (the browser would still
// select all on Ctrl+A); the keys that scroll keep working.
void DetailView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) {
    event->ignore();
    return;
  }
  QTextBrowser::keyPressEvent(event);
}

void DetailView::mouseMoveEvent(QMouseEvent* event) {
  QTextBrowser::mouseMoveEvent(event);
  HoverLink(LinkNumber(anchorAt(event->position().toPoint())));
}

bool DetailView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) HoverLink(-1);
  return QTextBrowser::viewportEvent(event);
}

void DetailView::resizeEvent(QResizeEvent* event) {
  QTextBrowser::resizeEvent(event);
  FitWrapWidth();
}

// Called when the mouse comes onto another link, or off every link (-1).
void DetailView::HoverLink(int link) {
  if (link == hoveredLink_) return;
  if (hoveredLink_ >= 0)
    PaintLink(hoveredLink_, ColourOfStyle(LinkStyle(hoveredLink_), WindowTextColour()));
  hoveredLink_ = link;
  if (link >= 0) PaintLink(link, Qt::red);
  emit statusTextChanged(QString());
  const std::string& hover =
      link >= 0 ? page_.links[static_cast<std::size_t>(link)].hover : std::string();
  if (!hover.empty()) emit statusTextChanged(QString::fromUtf8(hover));
}

void DetailView::PaintLink(int link, const QColor& colour) {
  const QString href = QString::number(link);
  std::vector<std::pair<int, int>> ranges;  // collected first: painting merges fragments
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().anchorHref() == href)
        ranges.emplace_back(it.fragment().position(), it.fragment().length());
  QTextCharFormat format;
  format.setForeground(colour);
  for (const auto& [position, length] : ranges) {
    QTextCursor cursor(document());
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
  }
}

int DetailView::LinkStyle(int link) const {
  for (const PageParagraph& p : page_.paragraphs)
    for (const PagePiece& piece : p.pieces)
      if (piece.link == link) return piece.style;
  return 0;
}

int DetailView::LinkNumber(const QString& href) const {
  bool ok = false;
  const int n = href.toInt(&ok);
  return ok && n >= 0 && static_cast<std::size_t>(n) < page_.links.size() ? n : -1;
}

// The page background is always white: a light window text colour (a dark desktop theme)
// would vanish on it, so black stands in.
QColor DetailView::WindowTextColour() const {
  const QColor text = palette().color(QPalette::WindowText);
  return text.lightness() > 128 ? QColor(Qt::black) : text;
}

// Lines follow the view's width up to 620 pixels, never wider.
void DetailView::FitWrapWidth() {
  const int widest = kMaxLineWidth + 2 * kSideMargin;
  if (viewport()->width() > widest) {
    if (lineWrapMode() != FixedPixelWidth) setLineWrapMode(FixedPixelWidth);
    if (lineWrapColumnOrWidth() != widest) setLineWrapColumnOrWidth(widest);
  } else if (lineWrapMode() != WidgetWidth) {
    setLineWrapMode(WidgetWidth);
  }
}

}  // namespace bv
