// The version window, the help window and the program's icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <functional>
#include <set>

#include "ui/qt_help_window.h"
#include "ui/qt_secondary_windows.h"
#include "ui/qt_version_window.h"

namespace gyrenda {
namespace {

// Runs `inspect` on the version window from inside its modal loop, once it is up. Whatever
// `inspect` leaves open is closed afterwards, so a failing check cannot hang the test.
void whileVersionWindowOpen(QWidget* owner, const std::function<void(QWidget*)>& inspect) {
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    poll.stop();
    inspect(modal);
    if (QApplication::activeModalWidget() == modal) modal->close();
  });
  poll.start();
  showVersionWindow(owner);
}

// Each call shows a new modal window, and every way of closing it destroys it.
TEST(VersionWindow, IsModalOverItsOwnerAndDestroyedWhenClosed) {
  const std::vector<std::pair<const char*, std::function<void(QWidget*)>>> ways{
      {"OK button",
       [](QWidget* w) {
         QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
       }},
      {"close", [](QWidget* w) { w->close(); }},
      {"Escape", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
  };
  QWidget owner;
  owner.show();
  for (const auto& [way, leave] : ways) {
    QPointer<QWidget> shown;
    bool closedByItself = false;
    whileVersionWindowOpen(&owner, [&](QWidget* modal) {
      shown = modal;
      EXPECT_NE(qobject_cast<VersionWindow*>(modal), nullptr);
      EXPECT_NE(modal->windowModality(), Qt::NonModal);
      EXPECT_EQ(modal->parentWidget(), &owner);
      EXPECT_TRUE(modal->isVisible());
      EXPECT_EQ(modal->windowTitle(), QStringLiteral("Gyrendaのバージョン情報"));
      EXPECT_TRUE(modal->windowIcon().availableSizes().contains(QSize(32, 32)));
      leave(modal);
      closedByItself = QApplication::activeModalWidget() != modal;
    });
    EXPECT_TRUE(closedByItself) << way;
    QCoreApplication::processEvents();
    EXPECT_TRUE(shown.isNull()) << way << ": the window outlived its closing";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

TEST(VersionWindow, LaysOutItsCaptionsAndButtonAsTheTwipsSay) {
  struct Expected {
    const char* objectName;
    const char* text;
    int left, top, width, height;  // twips
    int pixelSize;                 // the points at 96 dots per inch
    bool bold;
  };
  const Expected table[] = {
      {"Label1", "競技用ロボット設計支援プログラム", 360, 240, 3135, 255, 13, true},
      {"Label2", "Gyrenda", 960, 480, 1935, 495, 35, true},
      {"Label3", "Gyrenda Version 0.2.1", 840, 1080, 2055, 255, 12, true},
      {"Label4", "For 32bit Windows Development", 480, 2400, 3015, 255, 12, true},
      {"Command1", "OK", 1440, 2760, 855, 375, 13, false},
  };
  VersionWindow window;
  window.show();
  EXPECT_EQ(window.size(), QSize(3855 / 15, 3240 / 15));
  EXPECT_EQ(window.findChildren<QLabel*>().size(), 4);
  for (const Expected& e : table) {
    auto* w = window.findChild<QWidget*>(QString::fromLatin1(e.objectName));
    ASSERT_NE(w, nullptr) << e.objectName;
    const auto* label = qobject_cast<QLabel*>(w);
    const auto* button = qobject_cast<QPushButton*>(w);
    EXPECT_EQ(label ? label->text() : button->text(), QString::fromUtf8(e.text));
    EXPECT_EQ(w->geometry(), QRect(e.left / 15, e.top / 15, e.width / 15, e.height / 15))
        << e.objectName;
    EXPECT_EQ(w->font().pixelSize(), e.pixelSize) << e.objectName;
    EXPECT_EQ(w->font().bold(), e.bold) << e.objectName;
  }
}

// The help window of `owner`, if one is open.
HelpWindow* helpOf(QWidget& owner) { return owner.findChild<HelpWindow*>(); }

TEST(HelpWindow, OpensAtTheContentsWithoutBlockingTheMainWindow) {
  QWidget owner;
  owner.show();
  showHelpWindow(&owner);
  HelpWindow* help = helpOf(owner);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->isWindow());
  EXPECT_EQ(help->windowModality(), Qt::NonModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Gyrendaのヘルプ"));
  EXPECT_EQ(help->browser()->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
  // The contents, and every parameter under the caption the main window gives it.
  const QString text = help->browser()->document()->toPlainText();
  for (const char* caption :
       {"目次", "クランク（原動節）半径", "てこ（従動節）半径", "中間節長さ(0以外)", "静止節長さ(0～0)",
        "静止節(19～53)", "４節リンク出力点Ｘ軸補正", "４節リンク出力点Ｙ軸補正",
        "６節リンクの中間節長さ(0以外)", "６節リンク出力点Ｘ軸補正", "６節リンク出力点Ｙ軸補正",
        "ｽﾗｲﾄﾞ始点座標(X,Y)", "ｽﾗｲﾄﾞ終点座標(X,Y)"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(caption))) << caption;
  }
}

TEST(HelpWindow, SecondCallReusesTheWindowAndReturnsToTheContents) {
  QWidget owner;
  owner.show();
  showHelpWindow(&owner);
  HelpWindow* first = helpOf(owner);
  ASSERT_NE(first, nullptr);
  QTextBrowser* browser = first->browser();
  browser->setSource(QUrl(QStringLiteral("qrc:/help/index.html#format")));
  QCoreApplication::processEvents();
  ASSERT_GT(browser->verticalScrollBar()->value(), 0) << "the anchor should scroll the page";
  first->close();

  showHelpWindow(&owner);
  EXPECT_EQ(owner.findChildren<HelpWindow*>().size(), 1);
  EXPECT_EQ(helpOf(owner), first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(browser->source(), HelpWindow::contentsUrl());
  EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
}

TEST(HelpWindow, WithoutAMainWindowKeepsOneWindowOfItsOwn) {
  showHelpWindow(nullptr);
  showHelpWindow(nullptr);
  int open = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* help = qobject_cast<HelpWindow*>(w); help && !help->parentWidget()) {
      ++open;
      help->close();  // deletes itself
    }
  }
  EXPECT_EQ(open, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(HelpDocument, EveryLinkReachesAnAnchorAndEveryPictureIsShipped) {
  QWidget owner;
  showHelpWindow(&owner);
  const QTextDocument* doc = helpOf(owner)->browser()->document();
  std::set<QString> anchors, links, pictures;
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      for (const QString& name : format.anchorNames()) anchors.insert(name);
      if (format.isAnchor() && !format.anchorHref().isEmpty()) links.insert(format.anchorHref());
      if (format.isImageFormat()) pictures.insert(format.toImageFormat().name());
    }
  }
  EXPECT_GE(links.size(), 14u);
  for (const QString& link : links) {
    ASSERT_TRUE(link.startsWith('#')) << link.toStdString() << " leaves the document";
    EXPECT_TRUE(anchors.count(link.mid(1))) << link.toStdString() << " has no anchor";
  }
  EXPECT_EQ(pictures.size(), 2u);
  for (const QString& picture : pictures) {
    EXPECT_FALSE(QImage(QStringLiteral(":/help/") + picture).isNull()) << picture.toStdString();
  }
}

TEST(HelpWindowPlace, GoesBesideTheMainWindowAndStaysOnTheScreen) {
  struct Case {
    const char* what;
    QRect main;
    QSize wanted;
    QRect expected;
  };
  const QRect screen(0, 0, 1920, 1080);
  const Case cases[] = {
      {"room on the right", {100, 50, 830, 720}, {640, 720}, {938, 50, 640, 720}},
      {"room only on the left", {1000, 50, 830, 720}, {640, 720}, {352, 50, 640, 720}},
      {"no room on either side", {300, 50, 1400, 720}, {640, 720}, {1280, 50, 640, 720}},
      {"main window low on the screen", {100, 600, 830, 720}, {640, 720}, {938, 360, 640, 720}},
      {"screen shorter than the window", {0, 0, 830, 600}, {640, 1200}, {838, 0, 640, 1080}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(helpWindowPlace(c.main, c.wanted, screen), c.expected) << c.what;
  }
}

TEST(ProgramIcon, OffersEverySizeFromItsOwnPicture) {
  const QIcon icon = gyrendaIcon();
  for (int size : {16, 32, 48, 64, 128, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_EQ(QImage(QStringLiteral(":/icons/gyrenda-%1.png").arg(size)).size(), QSize(size, size));
  }
  EXPECT_EQ(QImage(QStringLiteral(":/version/background.png")).size(), QSize(258, 218));
}

}  // namespace
}  // namespace gyrenda
