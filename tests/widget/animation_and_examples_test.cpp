// ファイル › アニメーションを保存… and ファイル › 例を開く as the user meets them: the dialog
// writes what the headless program writes for the same options, reports a file it cannot
// write, and leaves none when stopped; each example opens whole in the view the window
// opens with.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <sstream>
#include <sys/stat.h>

#include "desktop/animation_dialog.h"
#include "desktop/examples_menu.h"
#include "files/data_file_reader.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

using AnimationTest = MainWindowTest;

// Until the dialog's file is made (or refused) and saved.
void waitFor(const AnimationDialog* dialog) {
  while (dialog->busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

QByteArray fileContent(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(AnimationTest, TheDialogWritesWhatTheHeadlessProgramWritesAndReportsFailures) {
  const QTemporaryDir folder;
  const QString gif = folder.filePath(QStringLiteral("turn.gif"));
  const QString fitted = folder.filePath(QStringLiteral("fitted.gif"));
  const QString readOnly = folder.filePath(QStringLiteral("ro"));
  ::mkdir(QFile::encodeName(readOnly).constData(), 0555);
  QString told, stoppedStatus;
  bool stoppedLeftNoFile = false;
  whenModal<AnimationDialog>([&](AnimationDialog* d) {
    EXPECT_FALSE(d->findChild<QCheckBox*>(QStringLiteral("moveSixBar"))->isChecked());
    EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("frameCount"))->text(), QStringLiteral("72コマ"));
    d->findChild<QDoubleSpinBox*>(QStringLiteral("crankStep"))->setValue(10);
    d->findChild<QComboBox*>(QStringLiteral("pictureSize"))->setCurrentIndex(1);
    d->findChild<QCheckBox*>(QStringLiteral("loopForever"))->setChecked(false);
    d->findChild<QCheckBox*>(QStringLiteral("moveSixBar"))->setChecked(true);
    EXPECT_FALSE(d->findChild<QCheckBox*>(QStringLiteral("fitView"))->isChecked());
    d->saveTo(QFile::encodeName(gif).toStdString());
    waitFor(d);
    d->findChild<QCheckBox*>(QStringLiteral("fitView"))->setChecked(true);
    d->saveTo(QFile::encodeName(fitted).toStdString());
    waitFor(d);
    whenModal<QMessageBox>([&told](QMessageBox* box) { told = box->text(); });
    d->saveTo(QFile::encodeName(readOnly + QStringLiteral("/x.gif")).toStdString());
    waitFor(d);
    // 停止 at once: 720 frames take far longer than the first step.
    d->findChild<QDoubleSpinBox*>(QStringLiteral("crankStep"))->setValue(0.5);
    const QString stopped = folder.filePath(QStringLiteral("stopped.gif"));
    d->saveTo(QFile::encodeName(stopped).toStdString());
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("stop")), Qt::LeftButton);
    waitFor(d);
    stoppedStatus = d->findChild<QLabel*>(QStringLiteral("status"))->text();
    stoppedLeftNoFile = !QFile::exists(stopped);
  });
  action("saveAnimation")->trigger();
  EXPECT_EQ(fileContent(gif), cli(QStringLiteral("--six --gif - --gif-step 10 --gif-half --gif-once").split(' ')));
  const QByteArray whole =
      cli(QStringLiteral("--six --fit --gif - --gif-step 10 --gif-half --gif-once").split(' '));
  EXPECT_EQ(fileContent(fitted), whole);
  EXPECT_NE(fileContent(fitted), fileContent(gif));
  EXPECT_TRUE(told.contains(readOnly + QStringLiteral("/x.gif")) &&
              told.contains(QStringLiteral("書き込みの権限がありません")))
      << told.toStdString();
  EXPECT_TRUE(stoppedLeftNoFile);
  EXPECT_EQ(stoppedStatus, QStringLiteral("停止しました。ファイルは書いていません。"));
  EXPECT_TRUE(QDir(readOnly).isEmpty());
}

// Each example, opened from any view, holds the file's dimensions in the view the window opens
// with, and the menu says what it shows.
TEST_F(AnimationTest, EachExampleOpensWholeInTheStartView) {
  ASSERT_FALSE(examplesFolder().isEmpty());
  for (const Example& e : examples()) {
    click(QStringLiteral("zoomIn"));
    auto* item = action(e.file);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->text().contains(QString::fromUtf8(e.description))) << e.file;
    item->trigger();
    settle();
    const QByteArray file = fileContent(examplesFolder() + QLatin1Char('/') + QLatin1String(e.file));
    EXPECT_EQ(bench().view(), kStartView) << e.file;
    EXPECT_TRUE(platform->messages.isEmpty()) << platform->messages.join(QLatin1Char('\n')).toStdString();
    std::istringstream in(file.toStdString());
    EXPECT_EQ(readDataFileParams(in), std::optional(bench().linkage().parameters)) << e.file;
  }
}

}  // namespace
}  // namespace gyrenda::testing
