// The window in each language: the captions the translation gives, no Japanese left under
// English, no English caption cut off, the language menu's choice kept in the settings, and
// the same numeric file in both.
#include <QChart>
#include <QChartView>
#include <QtWidgets>
#include <cerrno>

#include "desktop/help_window.h"
#include "desktop/language.h"
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

// The captions of the fixed layout wider than their controls (a push button's text has its
// margins; a list's items, theirs).
QStringList cutOff(QWidget* client) {
  QStringList cut;
  for (QWidget* w : client->findChildren<QWidget*>()) {
    const auto wider = [w](const QString& text, int room) {
      return w->fontMetrics().horizontalAdvance(text) > room;
    };
    if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
      if (w->sizeHint().width() > w->width()) cut << w->property("text").toString();
    if (auto* button = qobject_cast<QPushButton*>(w))
      for (const QString& line : button->text().split(u'\n'))
        if (wider(line, button->width() - 8)) cut << line;
    if (auto* list = qobject_cast<QListWidget*>(w))
      for (int i = 0; i < list->count(); ++i)
        if (wider(list->item(i)->text(), list->viewport()->width() - 6)) cut << list->item(i)->text();
  }
  return cut;
}

// What a Japanese and an English user read on a sample of the main window's controls.
const std::tuple<const char*, const char*, const char*> kSamples[] = {  // object, ja, en
    {"execute", "実行", "Run"},
    {"quit", "終了", "Quit"},
    {"status", "終了", "Finished"},
    {"caption0", "クランク（原動節）半径", "Crank (driver) radius"},
    {"fixedLinkCaption", "静止節(19～53)", "Fixed link (19 to 53)"},
    {"fourBarFrame", "４節リンクパラメータ", "Four-bar parameters"},
    {"slideEndOption", "ｽﾗｲﾄﾞ終点座標(X,Y)", "Slide end (X,Y)"},
    {"fileMenu", "ファイル(&F)", "&File"},
    {"report", "解析レポート", "Analysis report"},
    {"languageMenu", "表示言語 / Language", "Language"},
};

class LanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { installTranslations(Language::Japanese, QLocale::system()); }
};

TEST_F(LanguageTest, WindowSpeaksTheLanguageAndWritesTheSameNumbers) {
  QTemporaryDir dir;
  QByteArray numbers[2];
  for (Language language : {Language::Japanese, Language::English}) {
    const bool english = language == Language::English;
    installTranslations(language, QLocale(english ? QLocale::English : QLocale::Japanese));
    auto recording = std::make_unique<RecordingPlatform>();
    RecordingPlatform* platform = recording.get();
    MainWindow window(std::move(recording));
    window.show();
    window.findChild<QListWidget*>(QStringLiteral("speedList"))->setCurrentRow(0);  // quick
    window.findChild<QAbstractButton*>(QStringLiteral("execute"))->click();
    while (window.workbench().running()) QCoreApplication::processEvents();
    for (const char* opened : {"report", "synthesis"})
      window.findChild<QAction*>(QString::fromLatin1(opened))->trigger();
    for (const auto& [object, ja, en] : kSamples) {
      const QObject* o = window.findChild<QObject*>(QString::fromLatin1(object));
      const QVariant text = o->property("text");
      EXPECT_EQ((text.isValid() ? text : o->property("title")).toString().toStdString(),
                english ? en : ja) << object;
    }
    // The Japanese captions keep the layout they were drawn for.
    EXPECT_TRUE(!english || cutOff(window.centralWidget()).isEmpty())
        << cutOff(window.centralWidget()).join(u'|').toStdString();

    const QString path = dir.filePath(QStringLiteral("design%1.GYR").arg(int(language)));
    platform->saveAs = SaveChoice{path.toStdString(), 2};
    window.findChild<QAction*>(QStringLiteral("save"))->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    numbers[int(language)] = file.readAll();

    VersionWindow version;
    HelpWindow help;
    QStringList texts = shownTexts(&window) + shownTexts(&version) + shownTexts(&help);
    texts << help.browser()->toPlainText() << noPrinterText() << saveFailureText(ENOSPC)
          << messageText(Message{MessageId::SaveFailed, "a.GYR", EACCES, {}});
    EXPECT_EQ(help.browser()->source().fileName(), english ? "index_en.html" : "index.html");
    EXPECT_EQ(std::ranges::count_if(texts, hasJapanese) == 0, english)
        << texts.filter(QRegularExpression(QStringLiteral("\\p{Han}"))).join(u'|').toStdString();
  }
  EXPECT_GT(numbers[0].size(), 700 * 6);
  EXPECT_EQ(numbers[0], numbers[1]);
}

TEST_F(LanguageTest, ChoiceKeptInSettingsOverridesTheDesktop) {
  const std::tuple<LanguageChoice, QStringList, Language> cases[] = {  // setting, desktop: shown
      {LanguageChoice::Desktop, {"en-US", "ja-JP"}, Language::English},
      {LanguageChoice::Desktop, {"ja-JP", "en-US"}, Language::Japanese},
      {LanguageChoice::Desktop, {"de-DE", "en-US"}, Language::Japanese},
      {LanguageChoice::Desktop, QLocale::c().uiLanguages(), Language::Japanese},
      {LanguageChoice::Desktop, {}, Language::Japanese},
      {LanguageChoice::Japanese, {"en-GB"}, Language::Japanese},
      {LanguageChoice::English, QLocale::c().uiLanguages(), Language::English},
  };
  for (const auto& [choice, desktop, expected] : cases)
    EXPECT_EQ(languageFor(choice, desktop), expected) << desktop.join(u',').toStdString();

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
