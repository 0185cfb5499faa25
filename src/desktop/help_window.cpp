#include "desktop/help_window.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

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

}  // namespace gyrenda
