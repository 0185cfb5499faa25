// ファイル › 設計シート (PDF)…: its options and save dialog, the sheet written at the crank
// speed chosen and the 公差 tab's tolerances, and a sheet that cannot be written told.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "desktop/report_window.h"
#include "desktop/sheet_dialog.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

// The text of a PDF file as poppler reads it, with the blanks of its layout as one space.
QString pdfText(const QString& path) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

class DesignSheetTest : public MainWindowTest {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
      GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    MainWindowTest::SetUp();
  }
  QTemporaryDir dir;
};

// Through both dialogs: the name gets ".pdf", the plots take the speed typed, the third page
// the tolerance and samples the 公差 tab holds, and the dialog offers the choice made last.
TEST_F(DesignSheetTest, TheMenuItemWritesTheSheetOfItsOptions) {
  open<ReportWindow>("report");
  auto* panel = window->findChild<QWidget*>(QStringLiteral("tolerancePanel"));
  ASSERT_NE(panel, nullptr);
  panel->findChild<QDoubleSpinBox*>(QStringLiteral("tolerance"))->setValue(0.3);
  panel->findChild<QSpinBox*>(QStringLiteral("samples"))->setValue(150);
  typeInto(0, "17.5");
  whenModal<SheetDialog>([this](SheetDialog* d) {
    d->findChild<QDoubleSpinBox*>(QStringLiteral("sheetRpm"))->setValue(90);
    d->findChild<QCheckBox*>(QStringLiteral("sheetTolerancePage"))->setChecked(true);
    whenModal<QFileDialog>([this](QFileDialog* f) {
      f->setDirectory(dir.path());
      f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("bench"));
      static_cast<QDialog*>(f)->accept();
    });
    d->accept();
  });
  action("designSheet")->trigger();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bench.pdf")});
  const QString sheet = pdfText(dir.filePath(QStringLiteral("bench.pdf")));
  for (const char* words : {"設計シート", "クランク半径 17.5", "90 rpm", "公差解析", "サンプル 150",
                            "各値の公差 ± 0.300 mm"})
    EXPECT_TRUE(sheet.contains(QString::fromUtf8(words))) << words;
  whenModal<SheetDialog>([](SheetDialog* d) {
    EXPECT_EQ(d->findChild<QDoubleSpinBox*>(QStringLiteral("sheetRpm"))->value(), 90);
    EXPECT_TRUE(d->findChild<QCheckBox*>(QStringLiteral("sheetTolerancePage"))->isChecked());
    d->reject();
  });
  action("designSheet")->trigger();
}

// A folder or a path under a regular file: a message names the file, and nothing is left.
TEST_F(DesignSheetTest, ASheetThatCannotBeWrittenIsTold) {
  QFile regular(dir.filePath(QStringLiteral("regular")));
  ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
  regular.close();
  for (const QString& target : {dir.path(), regular.fileName() + QStringLiteral("/sheet.pdf")}) {
    QString told;
    whenModal<QMessageBox>([&told](QMessageBox* box) { told = box->text(); });
    window->writeDesignSheet({60, false, target.toStdString()});
    EXPECT_TRUE(told.contains(target)) << told.toStdString();
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("regular")});
}

}  // namespace
}  // namespace gyrenda::testing
