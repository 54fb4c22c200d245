#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
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

} // namespace kestrum
