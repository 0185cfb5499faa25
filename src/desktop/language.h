// The language the window speaks: Japanese, in which every text is written, or English. The
// desktop's first language decides unless the user chose one in the Help menu; the choice is
// kept in the user's settings and takes effect at the next start.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

class QMenu;

namespace gyrenda {

enum class Language { Japanese, English };

// The entries of the language menu; Desktop follows the desktop's first language.
enum class LanguageChoice { Desktop, Japanese, English };

// The language that `choice` gives on a desktop whose languages, most wanted first, are
// `uiLanguages` (as QLocale::uiLanguages names them): English when chosen, or when following
// the desktop and its first language is English; Japanese otherwise, the C locale included.
Language languageFor(LanguageChoice choice, const QStringList& uiLanguages);

// The choice kept in the user's settings; Desktop when none, or an unknown one, is kept.
LanguageChoice savedLanguageChoice();
// Keeps `choice` in the user's settings; false when they could not be written.
bool saveLanguageChoice(LanguageChoice choice);

// Installs the program's translation into `language` and Qt's own words (its dialogs' Look in,
// Save, Cancel) in the same language, in place of those installed before. Japanese, the
// language of the program's source texts, takes Qt's Japanese translation (qtbase_ja);
// English, the language of Qt's, takes the program's.
void installTranslations(Language language);

// The language that `choice` gives on a desktop whose languages are `uiLanguages`,
// installed. Returns the language.
Language installLanguage(LanguageChoice choice, const QStringList& uiLanguages);

// What the program does at its start: the saved choice on this desktop, installed. Returns
// the language.
Language installSavedLanguage();

// The language installed last; Japanese before any.
Language currentLanguage();

// Adds the language menu (the saved choice checked) to `menu`. Choosing another entry keeps
// it and tells the user, through `tell`, that it applies from the next start.
void addLanguageMenu(QMenu* menu, const std::function<void(const QString&)>& tell);

}  // namespace gyrenda
