#include "ui/Pictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <map>
#include <utility>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace bv {
namespace {

QString TwoDigitPath(const char* list, int index) {
  return QStringLiteral(":/%1/%2.png").arg(QLatin1String(list)).arg(index, 2, 10, QLatin1Char('0'));
}

// Each picture is drawn twice, at 16x16 and at 32x32 (the @2x file). A screen of any density
// gets the drawing of the next size up, scaled down to its pixels when they differ (24x24 at
// 1.5): Qt's own engine would take the 16x16 drawing and scale it up wherever the density is
// not exactly 1 or 2. The disabled look is made from that drawing as Qt makes it; the
// selected and active looks are the drawing itself (a selected node's picture is not tinted).
class TwoDrawingsEngine : public QIconEngine {
 public:
  explicit TwoDrawingsEngine(const QString& path)
      : single_(path),
        twice_(QString(path).replace(QLatin1String(".png"), QLatin1String("@2x.png"))) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // size is in device pixels here.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal) override {
    if (size.isEmpty() || single_.isNull()) return {};
    const bool disabled = mode == QIcon::Disabled;
    const auto key = std::make_pair(size.width() * 65536 + size.height(), disabled);
    if (auto found = drawn_.find(key); found != drawn_.end()) return found->second;
    const QPixmap& source =
        (size.width() <= single_.width() && size.height() <= single_.height()) || twice_.isNull()
            ? single_
            : twice_;
    QPixmap result = source.size() == size
                         ? source
                         : source.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (disabled) {
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      result = QApplication::style()->generatedIconPixmap(QIcon::Disabled, result, &option);
    }
    return drawn_.emplace(key, result).first->second;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    return single_.size().scaled(size, Qt::KeepAspectRatio);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {single_.size(), twice_.size()};
  }
  bool isNull() override { return single_.isNull(); }
  QString key() const override { return QStringLiteral("TwoDrawings"); }
  QIconEngine* clone() const override { return new TwoDrawingsEngine(*this); }

 private:
  QPixmap single_;
  QPixmap twice_;
  std::map<std::pair<int, bool>, QPixmap> drawn_;  // by device size and disabled look
};

QIcon BothSizes(const QString& path) { return QIcon(new TwoDrawingsEngine(path)); }

// Whoever links this file gets the pictures registered, before any window exists.
const bool kRegisteredAtStart = (RegisterPictures(), true);

}  // namespace

void RegisterPictures() {
  static const bool registered = (InitPictureResources(), true);
  (void)registered;
  (void)kRegisteredAtStart;
}

QString NodePicturePath(int index) { return TwoDigitPath("nodes", index); }
QString ButtonPicturePath(int index) { return TwoDigitPath("buttons", index); }

QIcon NodePicture(int index) {
  if (index < 0 || index >= kNodePictureCount) return {};
  RegisterPictures();
  return BothSizes(NodePicturePath(index));
}

QIcon ButtonPicture(int index) {
  if (index < 0 || index >= kButtonPictureCount) return {};
  RegisterPictures();
  return BothSizes(ButtonPicturePath(index));
}

}  // namespace bv
