#pragma once

#include <QLocale>
#include <QString>
#include <string>

namespace kestrum {

// The language the program speaks: its captions, messages, dates and
// numbers. 0 English, 1 French, as the configuration stores it.
constexpr int kLanguageEnglish = 0;
constexpr int kLanguageFrench = 1;

// The language a first run starts in: French for a French locale.
int LanguageOfLocale(const QLocale& locale);

// The command line's language from the environment, read as POSIX does:
// LC_ALL, else LC_MESSAGES, else LANG (an empty one counts as unset); French
// when it starts with "fr".
int LanguageOfEnvironment();

// While it lives every text is English and no translator is installed: for
// output other programs read (JSON), which must not change with the locale.
class EnglishTexts {
public:
    EnglishTexts();
    ~EnglishTexts();
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;

private:
    int m_language;
};

// Installs the program's and Qt's own translations for `language` (removing
// the previous ones), so every tr() text and every widget that listens for
// the language change follows at once. Needs only Qt Core.
void UseLanguage(int language);
int ShownLanguage();

// The conventions dates and numbers are written with in `language`: the
// user's own locale when it speaks that language, else Canada's.
QLocale LocaleOfLanguage(int language);
// The one in use.
QLocale ShownLocale();

// The marks amounts are typed with in the language in use: "." and ","
// in English, "," and " " in French.
QChar DecimalMark();
QChar GroupMark();
// A typed amount with the marks exchanged for "." and ",", which the one
// reading rule takes ("1 234,5" becomes "1,234.5"); and the way back.
QString WithPointMarks(const QString& typed);
QString WithShownMarks(const QString& pointed);

// A message of the amount reading rule in the language in use. The window
// reads French amounts through point marks, so the French tells of the
// French marks.
QString AmountMessageText(const std::string& message);

} // namespace kestrum
