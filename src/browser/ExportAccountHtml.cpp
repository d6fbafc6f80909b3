#include "browser/ExportAccountHtml.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "browser/DetailView.h"
#include "browser/DetailViewHtml.h"
#include "config/Cp1252.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "tools/AccountText.h"
#include "tools/DocumentHtml.h"

namespace bv {
namespace {

namespace fs = std::filesystem;

struct PendingPicture {
  fs::path path;
  QByteArray bitmap;
};

bool NameTaken(const fs::path& path) {
  std::error_code ec;
  // A dangling symbolic link counts as taken: writing through it would create its target.
  return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// img1.bmp, img2.bmp, ... in the folder, each not yet taken.
class PictureNames {
 public:
  explicit PictureNames(fs::path folder) : folder_(std::move(folder)) {}
  fs::path Next() {
    fs::path path;
    do path = folder_ / ("img" + std::to_string(++counter_) + ".bmp");
    while (NameTaken(path));
    return path;
  }

 private:
  fs::path folder_;
  int counter_ = 0;
};

// Bitmaps have no transparency: the picture is laid on the page's background first.
QByteArray BitmapOf(const QImage& picture, const QColor& background) {
  QImage flat(picture.size().isEmpty() ? QSize(1, 1) : picture.size(), QImage::Format_RGB32);
  flat.fill(background);
  {
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "bmp").write(flat);
  return bytes;
}

// Never replaces a file: a name taken since it was chosen is a failure.
void WriteNewFile(const PendingPicture& picture) {
  const int fd = ::open(picture.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  const auto fail = [&](int error) { throw EExportError(picture.path, error); };
  if (fd < 0) fail(errno);
  const char* data = picture.bitmap.constData();
  auto left = static_cast<std::size_t>(picture.bitmap.size());
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      fail(error);
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) fail(errno);
}

int StyleOfLink(const DetailPage& page, int link) {
  for (const PageParagraph& paragraph : page.paragraphs)
    for (const PagePiece& piece : paragraph.pieces)
      if (piece.link == link) return piece.style;
  return 0;
}

HtmlLink LinkOf(const DetailPage& page, const QString& href) {
  bool ok = false;
  const int n = href.toInt(&ok);
  if (!ok || n < 0 || static_cast<std::size_t>(n) >= page.links.size()) return {{}, Qt::black};
  const PageLink& link = page.links[static_cast<std::size_t>(n)];
  // Link styles have fixed colours: the window text colour does not matter here.
  HtmlLink html{{}, ColourOfStyle(StyleOfLink(page, n), Qt::black)};
  // Only addresses lead somewhere outside the program; its commands become plain text.
  if (link.action == LinkAction::OpenAddress)
    html.target = QUrl::fromUserInput(QString::fromUtf8(link.address)).toString(QUrl::FullyEncoded);
  return html;
}

}  // namespace

void ExportAccountHtml(const DetailView& view, const TNodeData& account, const fs::path& path) {
  const QColor background = view.palette().color(QPalette::Base);
  PictureNames names(path.parent_path().empty() ? fs::path(".") : path.parent_path());
  std::vector<PendingPicture> pictures;

  HtmlPageContext context;
  context.title = FromCp1252(account.Name);
  context.background = background;
  context.link = [&view](const QString& href) { return LinkOf(view.Page(), href); };
  context.picture = [&](const QImage& picture) {
    pictures.push_back({names.Next(), BitmapOf(picture, background)});
    return QString::fromStdString(pictures.back().path.filename().string());
  };
  const std::string html = DocumentToHtml(*view.document(), context);

  WriteExportFile(path, html, CreateFailure::ReasonOnly);
  for (const PendingPicture& picture : pictures) WriteNewFile(picture);
}

}  // namespace bv
