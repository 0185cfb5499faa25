#include "desktop/language.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QSettings>
#include <QTranslator>
#include <iterator>
#include <memory>
#include <utility>

namespace gyrenda {
namespace {

// The settings key and how each choice is written under it.
constexpr const char* kSettingsKey = "language";
constexpr const char* kChoiceNames[] = {"desktop", "ja", "en"};

Language installed = Language::Japanese;
QTranslator* programTranslator = nullptr;
QTranslator* qtTranslator = nullptr;

// The user's settings of the program, where the desktop keeps them (on Linux
// ~/.config/gyrenda/gyrenda.conf, or under $XDG_CONFIG_HOME).
QSettings userSettings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("gyrenda"),
                   QStringLiteral("gyrenda"));
}

// Replaces the translator in `slot` by one loaded by `load`, or by none when loading fails.
template <typename Load>
void replaceTranslator(QTranslator*& slot, Load&& load) {
  if (slot) {
    QCoreApplication::removeTranslator(slot);
    delete slot;
    slot = nullptr;
  }
  auto translator = std::make_unique<QTranslator>();
  if (!load(*translator) || !QCoreApplication::installTranslator(translator.get())) return;
  slot = translator.release();
}

// The context the menu's words are translated in.
struct LanguageMenu {
  Q_DECLARE_TR_FUNCTIONS(LanguageMenu)
};

}  // namespace

Language languageFor(LanguageChoice choice, const QStringList& uiLanguages) {
  switch (choice) {
    case LanguageChoice::Japanese: return Language::Japanese;
    case LanguageChoice::English: return Language::English;
    case LanguageChoice::Desktop: break;
  }
  const bool english =
      !uiLanguages.isEmpty() && QLocale(uiLanguages.first()).language() == QLocale::English;
  return english ? Language::English : Language::Japanese;
}

LanguageChoice savedLanguageChoice() {
  const QString saved = userSettings().value(QLatin1String(kSettingsKey)).toString();
  for (int k = 0; k < 3; ++k)
    if (saved == QLatin1String(kChoiceNames[k])) return static_cast<LanguageChoice>(k);
  return LanguageChoice::Desktop;
}

bool saveLanguageChoice(LanguageChoice choice) {
  QSettings settings = userSettings();
  settings.setValue(QLatin1String(kSettingsKey),
                    QLatin1String(kChoiceNames[static_cast<int>(choice)]));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

void installTranslations(Language language) {
  installed = language;
  replaceTranslator(programTranslator, [language](QTranslator& t) {
    return language == Language::English && t.load(QStringLiteral(":/i18n/gyrenda_en.qm"));
  });
  // Qt's own words are English: only a Japanese window needs their translation, whatever the
  // desktop's locale (C and POSIX included, which name no language at all).
  replaceTranslator(qtTranslator, [language](QTranslator& t) {
    return language == Language::Japanese &&
           t.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  });
}

Language installLanguage(LanguageChoice choice, const QStringList& uiLanguages) {
  const Language language = languageFor(choice, uiLanguages);
  installTranslations(language);
  return language;
}

Language installSavedLanguage() {
  return installLanguage(savedLanguageChoice(), QLocale::system().uiLanguages());
}

Language currentLanguage() { return installed; }

void addLanguageMenu(QMenu* menu, const std::function<void(const QString&)>& tell) {
  // In both languages, for whoever cannot read the one shown.
  QMenu* languages = menu->addMenu(LanguageMenu::tr("表示言語 / Language"));
  languages->setObjectName(QStringLiteral("languageMenu"));
  auto* group = new QActionGroup(languages);
  // Each language by its own name, which no translation changes.
  const std::pair<LanguageChoice, QString> entries[] = {
      {LanguageChoice::Japanese, QStringLiteral("日本語")},
      {LanguageChoice::English, QStringLiteral("English")},
      {LanguageChoice::Desktop, LanguageMenu::tr("デスクトップに合わせる")}};
  const char* names[] = {"languageJapanese", "languageEnglish", "languageDesktop"};
  const LanguageChoice saved = savedLanguageChoice();
  for (std::size_t k = 0; k < std::size(entries); ++k) {
    const LanguageChoice choice = entries[k].first;
    QAction* action = languages->addAction(entries[k].second);
    action->setObjectName(QString::fromLatin1(names[k]));
    action->setCheckable(true);
    action->setData(int(choice));
    action->setChecked(choice == saved);
    group->addAction(action);
    QObject::connect(action, &QAction::triggered, languages, [choice, group, tell] {
      const LanguageChoice before = savedLanguageChoice();
      if (choice == before) return;
      if (!saveLanguageChoice(choice)) {
        for (QAction* a : group->actions()) a->setChecked(a->data().toInt() == int(before));
        tell(LanguageMenu::tr("表示言語の設定を保存できませんでした。"));
        return;
      }
      // Nothing to tell when the next start speaks as this one does.
      if (languageFor(choice, QLocale::system().uiLanguages()) != currentLanguage())
        tell(LanguageMenu::tr("表示言語は次に起動したときから変わります。"));
    });
  }
}

}  // namespace gyrenda
