#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>
#include <cstring>
#include <memory>

// The resource lives in this static library; the linker drops its
// initialiser unless someone names it.
static void InitTranslationResource() {
    Q_INIT_RESOURCE(translations);
}

namespace kestrum {

namespace {

int g_language = kLanguageEnglish;
std::unique_ptr<QTranslator> g_own;
std::unique_ptr<QTranslator> g_qt;

void Remove(std::unique_ptr<QTranslator>& translator) {
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
}

} // namespace

int LanguageOfLocale(const QLocale& locale) {
    return locale.language() == QLocale::French ? kLanguageFrench : kLanguageEnglish;
}

int LanguageOfEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "fr", 2) == 0 ? kLanguageFrench : kLanguageEnglish;
    }
    return kLanguageEnglish;
}

EnglishTexts::EnglishTexts() : m_language(g_language) {
    if (m_language != kLanguageEnglish)
        UseLanguage(kLanguageEnglish);
}

EnglishTexts::~EnglishTexts() {
    if (m_language != kLanguageEnglish)
        UseLanguage(m_language);
}

void UseLanguage(int language) {
    static const bool resources = (InitTranslationResource(), true);
    (void)resources;
    g_language = language == kLanguageFrench ? kLanguageFrench : kLanguageEnglish;
    Remove(g_own);
    Remove(g_qt);
    if (g_language == kLanguageEnglish) {
        // Removing the translators already told every window.
        return;
    }
    auto own = std::make_unique<QTranslator>();
    if (own->load(QStringLiteral(":/translations/kestrum_fr.qm"))) {
        QCoreApplication::installTranslator(own.get());
        g_own = std::move(own);
    }
    // The standard buttons and the edit menus; absent when Qt's translations
    // are not installed, and then they stay English.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QLocale(QLocale::French, QLocale::Canada), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        g_qt = std::move(qt);
    }
}

int ShownLanguage() {
    return g_language;
}

QLocale LocaleOfLanguage(int language) {
    const QLocale user;
    const QLocale::Language wanted =
        language == kLanguageFrench ? QLocale::French : QLocale::English;
    if (user.language() == wanted)
        return user;
    return QLocale(wanted, QLocale::Canada);
}

QLocale ShownLocale() {
    return LocaleOfLanguage(g_language);
}

QChar DecimalMark() {
    return g_language == kLanguageFrench ? QLatin1Char(',') : QLatin1Char('.');
}

QChar GroupMark() {
    return g_language == kLanguageFrench ? QLatin1Char(' ') : QLatin1Char(',');
}

namespace {

QString SwapMarks(const QString& text, QChar decimalFrom, QChar groupFrom, QChar decimalTo,
                  QChar groupTo) {
    QString swapped = text;
    for (QChar& c : swapped) {
        if (c == decimalFrom)
            c = decimalTo;
        // A pasted French amount may group with a no-break space.
        else if (c == groupFrom || (groupFrom == QLatin1Char(' ') && c == QChar(0x00A0)))
            c = groupTo;
    }
    return swapped;
}

} // namespace

QString WithPointMarks(const QString& typed) {
    if (g_language != kLanguageFrench)
        return typed;
    return SwapMarks(typed, DecimalMark(), GroupMark(), QLatin1Char('.'), QLatin1Char(','));
}

QString WithShownMarks(const QString& pointed) {
    if (g_language != kLanguageFrench)
        return pointed;
    return SwapMarks(pointed, QLatin1Char('.'), QLatin1Char(','), DecimalMark(), GroupMark());
}

namespace {
// The texts the reading rule says in English, as number_text.h words them;
// a test holds the two together.
[[maybe_unused]] constexpr const char* kAmountMessages[] = {
    QT_TRANSLATE_NOOP("Amount", "Invalid Input - the number contains multiple \".\" (dots)"),
    QT_TRANSLATE_NOOP("Amount", "Invalid Input - the number contains non-numeric characters"),
    QT_TRANSLATE_NOOP("Amount", "Zero is invalid program input"),
    QT_TRANSLATE_NOOP("Amount", "Invalid Input - the number is longer than 32 characters"),
    QT_TRANSLATE_NOOP("Amount", "Invalid Input - a comma only groups thousands (1,000); use a "
                                "point for decimals (1.5)"),
};
} // namespace

QString AmountMessageText(const std::string& message) {
    return QCoreApplication::translate("Amount", message.c_str());
}

} // namespace kestrum
