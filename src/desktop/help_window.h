// The program's help viewer: the help document in a browser window of its own, beside the
// main window and never blocking it.
#pragma once

#include <QRect>
#include <QSize>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QToolButton;

namespace gyrenda {

class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // The page that opens the help: the document's title and its table of contents.
  static QUrl contentsUrl();

  // Turns back to the table of contents at the top of the document.
  void showContents();

  QTextBrowser* browser() const { return browser_; }

 private:
  QToolButton* addButton(const QString& text, const QString& tip);

  QTextBrowser* browser_ = new QTextBrowser(this);
};

// Where the help window goes: beside the main window's frame `beside`, to its right when
// the screen has room there, else to its left, else over its right part, always within
// `screen` (the screen's available area). `size` is the wanted size of the help window;
// the result may be shorter to fit.
QRect helpWindowPlace(const QRect& beside, const QSize& size, const QRect& screen);

// A window beside the main window, and how far the main window moves across to make room.
struct BesidePlace {
  int mainWindowShift = 0;  // pixels, negative to the left
  QRect window;
};

// Where a window that must not cover the main window goes: as helpWindowPlace when either side
// of the frame `beside` has room for its whole width. Otherwise it is narrowed to the room the
// screen has beside the main window, but no narrower than `narrowest`, and the main window moves
// across, just far enough, away from the side with more room; where even that does not fit, as
// helpWindowPlace.
BesidePlace besideWithRoom(const QRect& beside, const QSize& size, int narrowest,
                           const QRect& screen);

}  // namespace gyrenda
