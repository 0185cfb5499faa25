// The window in each language: the captions the translation gives, no Japanese left under
// English, no English caption cut off, and the language menu's choice kept in the settings.
// (The numeric file is the core's, which knows no language.)
#include <QChart>
#include <QChartView>
#include <QSignalSpy>
#include <QtWidgets>
#include <cerrno>

#include "desktop/help_window.h"
#include "desktop/kinematics_panel.h"
#include "desktop/language.h"
#include "desktop/report_window.h"
#include "desktop/tolerance_panel.h"
#include "desktop/secondary_windows.h"
#include "desktop/version_window.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

bool hasJapanese(QString text) {
  text.remove(QStringLiteral("日本語"));  // the language menu names Japanese in Japanese
  static const QRegularExpression kana(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{ff00}-\\x{ffef}\\p{Han}]"));
  return text.contains(kana);
}

// Every text a user can read in `root` and the windows and menus it owns.
QStringList shownTexts(QWidget* root) {
  QStringList texts{root->windowTitle()};
  for (QWidget* w : root->findChildren<QWidget*>()) {
    texts << w->windowTitle() << w->toolTip() << w->property("text").toString()
          << w->property("title").toString();
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
    if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model())
      for (int r = 0; r < view->model()->rowCount(); ++r)
        for (int c = 0; c < view->model()->columnCount(); ++c)
          texts << view->model()->index(r, c).data().toString()
                << view->model()->headerData(c, Qt::Horizontal).toString();
    if (auto* plot = qobject_cast<QChartView*>(w)) {
      texts << plot->chart()->title();
      for (QAbstractAxis* axis : plot->chart()->axes()) texts << axis->titleText();
      for (QAbstractSeries* series : plot->chart()->series()) texts << series->name();
    }
  }
  for (QAction* action : root->findChildren<QAction*>()) texts << action->text();
  return texts;
}

// What a window shows cut off at the size it has: a caption wider than its control (or, word-
// wrapped, taller; a push button's text has its margins), a choice wider than its box, a list's
// item wider than the list, tabs beyond their bar (behind its scroll arrows), a table's header
// or cell wider than its column or columns wider than the table, and a plot's title, axis title
// or legend entry elided. Every tab of every tab widget is shown in turn, so that each page is
// laid out at the size it is shown at.
QStringList cutOff(QWidget* root) {
  QStringList cut;
  const auto check = [&cut](QWidget* page) {
    QTest::qWait(20);  // the layouts and the tables' sections settle
    QList<QWidget*> widgets = page->findChildren<QWidget*>();
    widgets << page;
    for (QWidget* w : widgets) {
      if (!w->isVisible()) continue;
      const QString text = w->property("text").toString();
      if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
        if (label->heightForWidth(label->width()) > label->height()) cut << text;
      } else if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) ||
                 qobject_cast<QRadioButton*>(w) || qobject_cast<QComboBox*>(w)) {
        if (w->sizeHint().width() > w->width()) cut << text + w->property("currentText").toString();
      }
      const auto wider = [w](const QString& line, int room) {
        return w->fontMetrics().horizontalAdvance(line) > room;
      };
      if (auto* button = qobject_cast<QPushButton*>(w))
        for (const QString& line : text.split(u'\n'))
          if (wider(line, button->width() - 8)) cut << line;
      if (auto* list = qobject_cast<QListWidget*>(w))
        for (int i = 0; i < list->count(); ++i)
          if (wider(list->item(i)->text(), list->viewport()->width() - 6)) cut << list->item(i)->text();
      if (auto* bar = qobject_cast<QTabBar*>(w); bar && bar->sizeHint().width() > bar->width())
        for (int i = 0; i < bar->count(); ++i) cut << bar->tabText(i);
      if (auto* table = qobject_cast<QTableWidget*>(w)) {
        const QAbstractItemView* view = table;  // where the size hints are public
        int widths = 0;
        for (int c = 0; c < table->columnCount(); ++c) {
          const int room = table->columnWidth(c);
          widths += room;
          if (table->horizontalHeader()->sectionSizeHint(c) > room)
            cut << table->model()->headerData(c, Qt::Horizontal).toString();
          for (int r = 0; r < table->rowCount(); ++r) {
            const QModelIndex cell = table->model()->index(r, c);
            const QWidget* box = table->cellWidget(r, c);
            if ((box ? box->sizeHint() : view->sizeHintForIndex(cell)).width() > room)
              cut << table->model()->index(r, 0).data().toString() + ": " + cell.data().toString();
          }
        }
        if (widths > table->viewport()->width()) cut << table->objectName() + " wider than its view";
      }
      if (auto* plot = qobject_cast<QChartView*>(w))
        for (QGraphicsItem* item : plot->scene()->items())
          if (auto* shown = dynamic_cast<QGraphicsTextItem*>(item))
            if (shown->toPlainText().endsWith("...") || shown->toPlainText().endsWith(QChar(0x2026)))
              cut << shown->toPlainText();
    }
  };
  const auto eachPage = [](QTabWidget* tabs, const auto& onPage) {
    const int shown = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      onPage(tabs->widget(i));
    }
    tabs->setCurrentIndex(shown);
  };
  check(root);
  for (QTabWidget* tabs : root->findChildren<QTabWidget*>())
    if (tabs->isVisible())
      eachPage(tabs, [&](QWidget* page) {
        check(page);
        // The tab widgets on this page, laid out now.
        for (QTabWidget* inner : page->findChildren<QTabWidget*>()) eachPage(inner, check);
      });
  cut.removeDuplicates();
  return cut;
}

class LanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { installTranslations(Language::Japanese); }
};

TEST_F(LanguageTest, WindowSpeaksTheLanguage) {
  for (Language language : {Language::Japanese, Language::English}) {
    const bool english = language == Language::English;
    installTranslations(language);
    MainWindow window(std::make_unique<RecordingPlatform>());
    window.show();
    window.findChild<QListWidget*>(QStringLiteral("speedList"))->setCurrentRow(0);  // quick
    window.findChild<QAbstractButton*>(QStringLiteral("analyseSixBar"))->click();  // all the rows
    window.findChild<QAbstractButton*>(QStringLiteral("execute"))->click();
    while (window.workbench().running()) QCoreApplication::processEvents();
    for (const char* opened : {"report", "synthesis"})
      window.findChild<QAction*>(QString::fromLatin1(opened))->trigger();
    // The Japanese captions keep the layout they were drawn for.
    EXPECT_TRUE(!english || cutOff(window.centralWidget()).isEmpty())
        << cutOff(window.centralWidget()).join(u'|').toStdString();
    // The report at its own size (the screen has room for it beside the main window) shows
    // every text whole, the tolerance tab's results included.
    auto* report = window.findChild<ReportWindow*>();
    EXPECT_EQ(report->size(), ReportWindow::kDefaultSize);
    report->tolerance()->findChild<QSpinBox*>("samples")->setValue(100);
    QSignalSpy computed(report->tolerance(), &TolerancePanel::finished);
    report->tolerance()->compute();
    EXPECT_TRUE(computed.wait(20000) && report->tolerance()->result());
    EXPECT_EQ(cutOff(report).join(u'|').toStdString(), "");

    VersionWindow version;
    HelpWindow help;
    QStringList texts = shownTexts(&window) + shownTexts(&version) + shownTexts(&help);
    texts << help.browser()->toPlainText() << noPrinterText() << saveFailureText(ENOSPC)
          << messageText(Message{MessageId::SaveFailed, "a.GYR", EACCES, {}});
    EXPECT_EQ(help.browser()->source().fileName(), english ? "index_en.html" : "index.html");
    EXPECT_EQ(std::ranges::count_if(texts, hasJapanese) == 0, english)
        << texts.filter(QRegularExpression(QStringLiteral("\\p{Han}"))).join(u'|').toStdString();
  }
}

// Qt's own dialogs speak the window's language, whatever the desktop's locale: the words of
// the file dialog and of its Cancel button.
QString qtsOwnWords() {
  return QCoreApplication::translate("QFileDialog", "Look in:") + ' ' +
         QCoreApplication::translate("QPlatformTheme", "Cancel");
}

TEST_F(LanguageTest, ChoiceKeptInSettingsOverridesTheDesktop) {
  const QString ja = "アドレス: キャンセル", en = "Look in: Cancel";  // Qt's words
  const std::tuple<LanguageChoice, QStringList, Language, QString> cases[] = {  // setting, desktop: shown
      {LanguageChoice::Desktop, {"en-US", "ja-JP"}, Language::English, en},
      {LanguageChoice::Desktop, {"ja-JP", "en-US"}, Language::Japanese, ja},
      {LanguageChoice::Desktop, {"de-DE", "en-US"}, Language::Japanese, ja},
      {LanguageChoice::Desktop, QLocale::c().uiLanguages(), Language::Japanese, ja},
      {LanguageChoice::Desktop, {}, Language::Japanese, ja},
      {LanguageChoice::Japanese, {"en-GB"}, Language::Japanese, ja},
      {LanguageChoice::English, QLocale::c().uiLanguages(), Language::English, en},
      {LanguageChoice::English, {"ja-JP"}, Language::English, en},
  };
  for (const auto& [choice, desktop, expected, words] : cases) {
    EXPECT_EQ(languageFor(choice, desktop), expected) << desktop.join(u',').toStdString();
    EXPECT_EQ(installLanguage(choice, desktop), expected);
    EXPECT_EQ(qtsOwnWords(), words) << desktop.join(u',').toStdString();
  }
  // As the program starts on the tests' desktop, whose locale is C (LANG=C.UTF-8).
  ASSERT_EQ(QLocale::system().name(), "C");
  EXPECT_EQ(installSavedLanguage(), Language::Japanese);
  EXPECT_EQ(qtsOwnWords(), ja);

  MainWindow window(std::make_unique<RecordingPlatform>());
  const auto choose = [&window](const char* name) {
    QString told;
    whenModal<QMessageBox>([&told](QMessageBox* box) { told = box->text(); });
    window.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    return told;
  };
  EXPECT_EQ(choose("languageEnglish"), QStringLiteral("表示言語は次に起動したときから変わります。"));
  EXPECT_EQ(savedLanguageChoice(), LanguageChoice::English);

  // Settings that cannot be written: the user is told, and the choice shown stays.
  const QString settings = QSettings("gyrenda", "gyrenda").fileName();
  const QString kept = QFileInfo(QFileInfo(settings).path()).path();
  QTemporaryDir blocked;
  ASSERT_TRUE(QDir(blocked.path()).mkpath(QStringLiteral("gyrenda/gyrenda.conf")));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocked.path());
  EXPECT_EQ(choose("languageJapanese"), QStringLiteral("表示言語の設定を保存できませんでした。"));
  EXPECT_FALSE(window.findChild<QAction*>(QStringLiteral("languageJapanese"))->isChecked());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kept);
  EXPECT_TRUE(saveLanguageChoice(LanguageChoice::Desktop));
}

// The English help has the Japanese one's sections, links and pictures, in the same order.
TEST_F(LanguageTest, HelpHasTheSameSectionsAndPicturesInBothLanguages) {
  gyrendaIcon();  // registers the resources
  const auto marks = [](const char* name) {
    QFile file(QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    static const QRegularExpression mark(QStringLiteral(R"((name|src|href)="[^"]*")"));
    QStringList found;
    for (const QRegularExpressionMatch& m : mark.globalMatch(QString::fromUtf8(file.readAll())))
      found << m.captured();
    return found;
  };
  const QStringList japanese = marks(":/help/index.html");
  EXPECT_GT(japanese.size(), 40);
  EXPECT_EQ(japanese.join(u' ').toStdString(), marks(":/help/index_en.html").join(u' ').toStdString());
}

}  // namespace
}  // namespace gyrenda::testing
