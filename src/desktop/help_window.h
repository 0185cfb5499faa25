// The program's help viewer: the help document in a browser window of its own, beside the
// main window and never blocking it.
#pragma once

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

}  // namespace gyrenda
