#include "form_fixture.h"

#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/cp1252.h"
#include "data/rate_files.h"
#include "settings/language.h"
#include "shell/startmenu_form.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <stdexcept>

namespace kestrum::test {

namespace {

void ResetGlobals() {
    UseLanguage(kLanguageEnglish);
    Configuration() = DefaultConfig();
    ResetRates();
    ResetCatalogue();
}

} // namespace

double FixtureRate(int k) {
    return k == 1 ? 1.25 : 0.5 + k / 64.0;
}

RateStore FullRateStore(double newestDate) {
    RateStore store;
    for (int d = 1; d <= kDayCount; ++d) {
        SetDayDate(store, d, newestDate - (kDayCount - d));
        for (int k = 1; k < kCurrencyCount; ++k)
            SetDayRate(store, k, d, d == kDayCount ? FixtureRate(k) : FixtureRate(k) * (2 + d));
    }
    return store;
}

RateStore RateStoreWithout(std::initializer_list<int> missing, double newestDate) {
    RateStore store = FullRateStore(newestDate);
    for (const int k : missing)
        for (int d = 1; d <= kDayCount; ++d)
            SetDayRate(store, k, d, kNotAvailable);
    return store;
}

RateStore Loaded(RateStore store) {
    ComputeCurrentRates(store);
    return store;
}

QString ExpectedResult(const RateStore& loaded, const ConfigRecord& config, int a, int b,
                       double amount) {
    const Conversion c = ConvertAmount(loaded, config, a, b, amount);
    if (!c.available)
        throw std::logic_error("the fixture has no rate for this pair");
    // The pinned locale in English; Canada's French forms in French.
    return FormatResult(c.result, c.decimals, config.CurrencyFormat != 0, ShownLocale(),
                        QString::fromLatin1(CurrencyCode(b)));
}

QStringList ListedNames(const RateStore& loaded, int language) {
    QStringList names{NameOf(0, language)};
    for (int k = 1; k < kCurrencyCount; ++k)
        if (CurrentRate(loaded, k) != kNotAvailable)
            names << NameOf(k, language);
    return names;
}

QString NameOf(int k, int language) {
    return FromCp1252(CurrencyName(BuiltInCatalogue(), k, language));
}

FormEnvironment::FormEnvironment() {
    ResetGlobals();
    SetStartmenuFormOpener(
        [this](QWidget* owner) { shortcutOffersWhileShown << owner->isVisible(); });
}

FormEnvironment::~FormEnvironment() {
    SetStartmenuFormOpener({});
    ResetGlobals();
}

void FormEnvironment::WriteConfig(const ConfigRecord& record) const {
    dir.Write(QStringLiteral("kestrumconfig"), SerializeConfig(record));
}

void FormEnvironment::WriteRates(const RateStore& store) const {
    dir.Write(QStringLiteral("rt.dt"), EncodeRateFile(store));
}

ConfigRecord FormEnvironment::SavedConfig() const {
    return DeserializeConfig(dir.Read(QStringLiteral("kestrumconfig")));
}

std::unique_ptr<TKestrumForm> FormEnvironment::Open(bool show) {
    auto form = std::make_unique<TKestrumForm>();
    if (!downloads) {
        QTimer* timer = form->DownloadTimer;
        QObject::disconnect(timer, &QTimer::timeout, form.get(), nullptr);
        QObject::connect(timer, &QTimer::timeout, timer, &QTimer::stop);
    }
    if (show) {
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            throw std::runtime_error("the window did not become active");
    }
    return form;
}

void PickEntry(QComboBox* list, int index) {
    // A step onto the entry from its neighbour: the list reports it as the
    // user's choice, which a programmatic selection does not.
    if (index > 0) {
        list->setCurrentIndex(index - 1);
        QTest::keyClick(list, Qt::Key_Down);
    } else {
        list->setCurrentIndex(1);
        QTest::keyClick(list, Qt::Key_Up);
    }
}

void Type(QWidget* widget, const QString& text) {
    QTest::keyClicks(widget, text);
}

void Paste(QLineEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    edit->paste();
}

void FormTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void FormTest::init() {
    env = std::make_unique<FormEnvironment>();
}

void FormTest::cleanup() {
    if (form)
        QVERIFY(env->watchdog.unexpected.isEmpty());
    form.reset();
    env.reset();
}

} // namespace kestrum::test
