#include "desktop/version_window.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <array>

namespace gyrenda {
namespace {

// The layout is given in twips; at 96 dots per inch 15 twips make one pixel.
constexpr int px(int twips) { return twips / 15; }
QRect fromTwips(int left, int top, int width, int height) {
  return {px(left), px(top), px(width), px(height)};
}

enum class Face { Gothic, Mincho };

// Sizes are set in pixels, computed from the points at 96 dots per inch, so that the text
// keeps to the boxes of the fixed pixel layout on a screen of any density.
QFont layoutFont(Face face, double points, bool bold) {
  const QString family = face == Face::Gothic ? QStringLiteral("Noto Sans CJK JP")
                                              : QStringLiteral("Noto Serif CJK JP");
  QFont font;  // the system font, unless the Japanese face is installed
  if (QFontDatabase::hasFamily(family)) font.setFamily(family);
  font.setPixelSize(static_cast<int>(points * 96.0 / 72.0 + 0.5));
  font.setBold(bold);
  return font;
}

// A caption drawn straight onto the picture. The boxes of this layout were made for faces
// whose letters fill their line; the Noto faces reserve far more room above and below and
// set Latin letters wider. So the letters themselves, not the font's line box, are centred
// in the box, and a text that would still not fit is drawn a little smaller rather than cut.
// A rim of the paper's colour keeps the letters clear of the lines of the drawing beneath.
class PictureCaption final : public QLabel {
 public:
  PictureCaption(const QString& text, const QColor& paper, QWidget* parent)
      : QLabel(text, parent), paper_(paper) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const QFont font = fittingFont();
    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.tightBoundingRect(text());
    const QPointF origin((width() - metrics.horizontalAdvance(text())) / 2.0,
                         (height() - ink.height()) / 2.0 - ink.top());
    QPainterPath letters;
    letters.addText(origin, font, text());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(letters, QPen(paper_, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(letters, palette().color(QPalette::WindowText));
  }

 private:
  QFont fittingFont() const {
    QFont font = this->font();
    for (int size = font.pixelSize(); size > 6; --size) {
      font.setPixelSize(size);
      const QFontMetricsF metrics(font);
      if (metrics.horizontalAdvance(text()) <= width() &&
          metrics.tightBoundingRect(text()).height() <= height()) {
        break;
      }
    }
    return font;
  }

  QColor paper_;
};

// The captions in words are translated where they are shown; the program's name and version
// stay as they are, the version as the build defines it (the project's version in CMake).
struct Caption {
  const char* objectName;
  const char* text;
  bool translated;
  QRect twips;
  Face face;
  double points;
};

const std::array<Caption, 4> kCaptions{{
    {"purpose", QT_TRANSLATE_NOOP("gyrenda::VersionWindow", "競技用ロボット設計支援プログラム"),
     true, {360, 240, 3135, 255}, Face::Gothic, 9.75},
    {"name", "Gyrenda", false, {960, 480, 1935, 495}, Face::Mincho, 26.25},
    {"version", "Gyrenda Version " GYRENDA_VERSION, false, {840, 1080, 2055, 255}, Face::Gothic, 9},
    {"platformNote", QT_TRANSLATE_NOOP("gyrenda::VersionWindow", "For 32bit Windows Development"),
     true, {480, 2400, 3015, 255}, Face::Gothic, 9},
}};

// The separator: a grey line over a white one, across the whole width.
constexpr int kGreyLineTwips = 2640;
constexpr int kWhiteLineTwips = 2655;
constexpr int kSeparatorWidthTwips = 4560;

}  // namespace

VersionWindow::VersionWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(tr("Gyrendaのバージョン情報"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/gyrenda-32.png")));
  setFixedSize(px(3855), px(3240));
  addCaptions();
  addOkButton();
}

void VersionWindow::addCaptions() {
  const QColor ink(0x10, 0x2a, 0x5c);    // dark blue, like the lines of the drawing behind
  const QColor paper(0xdc, 0xe7, 0xf3);  // the pale blue of the picture's paper
  for (const Caption& c : kCaptions) {
    const QString text = c.translated ? tr(c.text) : QString::fromUtf8(c.text);
    auto* label = new PictureCaption(text, paper, this);
    label->setObjectName(QString::fromLatin1(c.objectName));
    label->setGeometry(fromTwips(c.twips.x(), c.twips.y(), c.twips.width(), c.twips.height()));
    label->setFont(layoutFont(c.face, c.points, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ink);
    label->setPalette(palette);
  }
}

void VersionWindow::addOkButton() {
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setGeometry(fromTwips(1440, 2760, 855, 375));
  ok->setFont(layoutFont(Face::Gothic, 9.75, false));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void VersionWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
  const int right = px(kSeparatorWidthTwips);
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(0, px(kGreyLineTwips), right, px(kGreyLineTwips));
  painter.setPen(Qt::white);
  painter.drawLine(0, px(kWhiteLineTwips), right, px(kWhiteLineTwips));
}

}  // namespace gyrenda
