#include "desktop/help_window.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "desktop/language.h"

namespace gyrenda {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(tr("Gyrendaのヘルプ"));

  QToolButton* back = addButton(tr("戻る"), tr("前に見ていた箇所へ戻ります"));
  QToolButton* forward = addButton(tr("進む"), tr("戻る前の箇所へ進みます"));
  QToolButton* contents = addButton(tr("目次"), tr("目次を表示します"));
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(contents, &QToolButton::clicked, this, &HelpWindow::showContents);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addWidget(contents);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(buttons);
  layout->addWidget(browser_);

  resize(640, 720);
  browser_->setSource(contentsUrl());
}

QUrl HelpWindow::contentsUrl() {
  return QUrl(currentLanguage() == Language::English ? QStringLiteral("qrc:/help/index_en.html")
                                                     : QStringLiteral("qrc:/help/index.html"));
}

void HelpWindow::showContents() {
  browser_->setSource(contentsUrl());
  browser_->verticalScrollBar()->setValue(0);
  browser_->horizontalScrollBar()->setValue(0);
}

QToolButton* HelpWindow::addButton(const QString& text, const QString& tip) {
  auto* button = new QToolButton(this);
  button->setText(text);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  return button;
}

namespace {
constexpr int kGap = 8;  // between the main window's frame and a window beside it
}  // namespace

QRect helpWindowPlace(const QRect& beside, const QSize& size, const QRect& screen) {
  const int width = std::min(size.width(), screen.width());
  const int height = std::min(size.height(), screen.height());
  int left = screen.right() + 1 - width;  // no room on either side: over the right part
  if (beside.right() + kGap + width <= screen.right()) {
    left = beside.right() + 1 + kGap;
  } else if (beside.left() - kGap - width >= screen.left()) {
    left = beside.left() - kGap - width;
  }
  const int top = std::clamp(beside.top(), screen.top(), screen.bottom() + 1 - height);
  return {left, top, width, height};
}

BesidePlace besideWithRoom(const QRect& beside, const QSize& size, int narrowest,
                           const QRect& screen) {
  const int rightRoom = screen.right() - beside.right() - kGap;
  const int leftRoom = beside.left() - screen.left() - kGap;
  // The most room one side can have: the main window against the other edge of the screen.
  const int width = std::min(size.width(), screen.width() - beside.width() - kGap);
  if (rightRoom >= size.width() || leftRoom >= size.width() || width < narrowest)
    return {0, helpWindowPlace(beside, size, screen)};
  int shift = 0;
  if (rightRoom < width && leftRoom < width)
    shift = rightRoom >= leftRoom ? rightRoom - width : width - leftRoom;
  return {shift, helpWindowPlace(beside.translated(shift, 0), {width, size.height()}, screen)};
}

}  // namespace gyrenda
