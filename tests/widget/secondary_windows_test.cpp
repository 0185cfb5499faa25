// The version window, the help window and the program's icon.
#include <QPointer>
#include <QPushButton>

#include "ui/qt_help_window.h"
#include "ui/qt_secondary_windows.h"
#include "ui/qt_version_window.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

// Closing destroys the window, so the next call shows a new one.
TEST(VersionWindow, ShowsItsCaptionsModallyUntilOkClosesAndDestroysIt) {
  const std::pair<const char*, const char*> captions[] = {
      {"Label1", "競技用ロボット設計支援プログラム"}, {"Label2", "Gyrenda"},
      {"Label3", "Gyrenda Version 0.2.1"}, {"Label4", "For 32bit Windows Development"},
      {"Command1", "OK"}};
  QWidget owner;
  owner.show();
  QPointer<VersionWindow> shown;
  bool seen = false;
  whenModal<VersionWindow>([&](VersionWindow* w) {
    shown = w;
    seen = true;
    EXPECT_EQ(w->windowTitle(), "Gyrendaのバージョン情報");
    for (const auto& [name, text] : captions) {
      auto* c = w->findChild<QWidget*>(name);
      EXPECT_EQ(c ? c->property("text").toString() : "", QString::fromUtf8(text)) << name;
    }
    QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
  });
  showVersionWindow(&owner);
  QCoreApplication::processEvents();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(shown.isNull()) << "the window outlived its closing";
}

TEST(HelpWindow, OpensAtTheContentsWithoutBlockingAndIsReused) {
  QWidget owner;
  owner.show();
  showHelpWindow(&owner);
  auto* help = owner.findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible() && help->isWindow());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(help->browser()->source(), QUrl("qrc:/help/index.html"));
  EXPECT_TRUE(help->browser()->toPlainText().contains("目次"));

  help->browser()->setSource(QUrl("qrc:/help/index.html#format"));
  help->close();
  showHelpWindow(&owner);
  EXPECT_EQ(owner.findChildren<HelpWindow*>(), QList<HelpWindow*>{help});
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->browser()->source(), QUrl("qrc:/help/index.html"));
}

TEST(ProgramIcon, OffersEverySizeFromItsOwnPicture) {
  const QIcon icon = gyrendaIcon();
  for (int size : {16, 32, 48, 64, 128, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_EQ(QImage(QStringLiteral(":/icons/gyrenda-%1.png").arg(size)).size(), QSize(size, size));
  }
  EXPECT_FALSE(QImage(":/version/background.png").isNull());
}

}  // namespace
}  // namespace gyrenda::testing
