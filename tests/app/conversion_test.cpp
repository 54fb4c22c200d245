// Conversions as the window shows them, the currency lists, quick find and
// the language switch.
#include "form_fixture.h"

#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/cp1252.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace kestrum;
using namespace kestrum::test;

namespace {

constexpr int kCad = 0;
constexpr int kUsd = 1;
constexpr int kArs = 2;
constexpr int kEur = 13;
constexpr int kFjd = 14;
constexpr int kGhs = 17;
constexpr int kSgd = 41;
constexpr int kChf = 48;

ConfigRecord Config(bool feeOn, double fee = 4.0, bool roundToCent = false,
                    bool currencyFormat = false) {
    ConfigRecord config = DefaultConfig();
    config.CashRateOn = feeOn ? 1 : 0;
    config.CashRate = fee;
    config.RoundToCent = roundToCent ? 1 : 0;
    config.CurrencyFormat = currencyFormat ? 1 : 0;
    return config;
}

} // namespace

class ConversionTest : public FormTest {
    Q_OBJECT

    // Opens the window over these settings and rates.
    void Open(const ConfigRecord& config, const RateStore& store = FullRateStore()) {
        env->WriteConfig(config);
        env->WriteRates(store);
        form = env->Open();
    }
    // Converts an amount typed into the field between two list positions.
    void Convert(int from, int to, const QString& amount) {
        PickEntry(form->FromComboBox, from);
        PickEntry(form->ToComboBox, to);
        form->SourceEdit->clear();
        Type(form->SourceEdit, amount);
        QTest::keyClick(form->SourceEdit, Qt::Key_Return);
    }
    void ClickLetter(char letter) {
        QTest::mouseClick(form->LetterButtons[letter - 'A'], Qt::LeftButton);
    }

private slots:

    void workedValues_data();
    void workedValues();
    void roundedToCent_data();
    void roundedToCent();
    void amountReading();
    void currencyFormat_data();
    void currencyFormat();
    void listPicksConvertAndName();
    void rateLostAfterStart_data();
    void rateLostAfterStart();

    void quickFindLetters_data();
    void quickFindLetters();
    void quickFindWithMissingCurrencies();
    void quickFindTarget();
    void languageSwitch();
    void accentedNamesRoundTrip();
};

void ConversionTest::workedValues_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("feeOn");
    QTest::addColumn<QString>("expected"); // by hand

    // U.S. dollar at 1.25, fee 4 %: 100 x 1.25 x 0.96 and 100 x 0.8 x 0.96.
    QTest::newRow("USD to CAD") << kUsd << kCad << true << "120.0000";
    QTest::newRow("CAD to USD") << kCad << kUsd << true << "76.8000";
    QTest::newRow("USD to USD, no fee") << kUsd << kUsd << true << "100.0000";
    QTest::newRow("CAD to CAD") << kCad << kCad << true << "100.0000";
    QTest::newRow("USD to CAD, fee off") << kUsd << kCad << false << "125.0000";
    QTest::newRow("CAD to USD, fee off") << kCad << kUsd << false << "80.0000";
    // The euro is at 0.5 + 13/64 = 0.703125: 100 x 1.25 / 0.703125 x 0.96.
    QTest::newRow("USD to EUR") << kUsd << kEur << true << "170.6667";
    QTest::newRow("EUR to USD, fee off") << kEur << kUsd << false << "56.2500";
}

void ConversionTest::workedValues() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, feeOn);
    QFETCH(QString, expected);

    const ConfigRecord config = Config(feeOn);
    Open(config);
    Convert(from, to, QStringLiteral("100"));

    QCOMPARE(form->ConvertEdit->text(), expected);
    QCOMPARE(form->ConvertEdit->text(),
             ExpectedResult(Loaded(FullRateStore()), config, from, to, 100));
    QCOMPARE(form->Label1->text(), NameOf(from));
    QCOMPARE(form->Label2->text(), NameOf(to));
    QVERIFY(form->ResultShown);
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::roundedToCent_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("expected"); // by hand

    // Ties go to the even cent; 2.675 is stored just below itself.
    QTest::newRow("0.125") << kUsd << kUsd << "0.125"
                           << "0.12";
    QTest::newRow("0.375") << kUsd << kUsd << "0.375"
                           << "0.38";
    QTest::newRow("2.675") << kCad << kCad << "2.675"
                           << "2.67";
    QTest::newRow("100") << kUsd << kUsd << "100"
                         << "100.00";
    QTest::newRow("USD to CAD") << kUsd << kCad << "100"
                                << "120.00";
    // 10.01 x 1.2 = 12.012.
    QTest::newRow("USD to CAD, cents") << kUsd << kCad << "10.01"
                                       << "12.01";
    QTest::newRow("CAD to USD") << kCad << kUsd << "0.5"
                                << "0.38";
}

void ConversionTest::roundedToCent() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, amount);
    QFETCH(QString, expected);

    const ConfigRecord config = Config(true, 4.0, true);
    Open(config);
    Convert(from, to, amount);

    QCOMPARE(form->ConvertEdit->text(), expected);
    QCOMPARE(form->ConvertEdit->text(),
             ExpectedResult(Loaded(FullRateStore()), config, from, to, amount.toDouble()));
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::amountReading() {
    const ConfigRecord config = Config(true);
    Open(config);
    const RateStore rates = Loaded(FullRateStore());

    // Commas group and are ignored.
    Convert(kCad, kUsd, QStringLiteral("1,000"));
    QCOMPARE(form->ConvertEdit->text(), QStringLiteral("768.0000"));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("1,000"));

    // Beyond 18 integer digits the plain format turns scientific.
    const QString huge = QStringLiteral("12345678901234567890");
    Convert(kEur, kEur, huge);
    const QString shown = form->ConvertEdit->text();
    QCOMPARE(shown, ExpectedResult(rates, config, kEur, kEur, 12345678901234567890.0));
    QVERIFY2(shown.contains(QStringLiteral("E+19")), qPrintable(shown));
    QCOMPARE(shown.toDouble(), 12345678901234567890.0);

    // Eighteen digits still show in full.
    Convert(kEur, kEur, QStringLiteral("123456789012345678"));
    QCOMPARE(form->ConvertEdit->text(), QStringLiteral("123456789012345680.0000"));
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::currencyFormat_data() {
    QTest::addColumn<bool>("roundToCent");
    QTest::addColumn<double>("fee");
    QTest::addColumn<QString>("expected"); // en_US by hand
    QTest::newRow("four decimals") << false << 4.0 << "$76.8000";
    QTest::newRow("cents") << true << 4.0 << "$76.80";
    // A fee over 100 % would turn the result negative; the default stands in.
    QTest::newRow("fee out of range") << false << 150.0 << "$76.8000";
}

void ConversionTest::currencyFormat() {
    QFETCH(bool, roundToCent);
    QFETCH(double, fee);
    QFETCH(QString, expected);

    const ConfigRecord config = Config(true, fee, roundToCent, true);
    Open(config);
    Convert(kCad, kUsd, QStringLiteral("100"));

    const Conversion c = ConvertAmount(Loaded(FullRateStore()), config, kCad, kUsd, 100);
    QCOMPARE(form->ConvertEdit->text(), FormatResult(c.result, c.decimals, true, QLocale()));
    QCOMPARE(form->ConvertEdit->text(), expected);
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::listPicksConvertAndName() {
    const ConfigRecord config = Config(true);
    Open(config);
    const RateStore rates = Loaded(FullRateStore());

    // Without an amount a pick only renames.
    PickEntry(form->FromComboBox, kArs);
    QCOMPARE(form->Label1->text(), QStringLiteral("Argentine Peso"));
    QCOMPARE(form->Label2->text(), QStringLiteral("U.S. Dollar"));
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QVERIFY(!form->ResultShown);

    // With one, each pick converts at once.
    Type(form->SourceEdit, QStringLiteral("50"));
    PickEntry(form->ToComboBox, kChf);
    QCOMPARE(form->Label2->text(), QStringLiteral("Swiss Franc"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, kArs, kChf, 50));
    PickEntry(form->FromComboBox, kSgd);
    QCOMPARE(form->Label1->text(), QStringLiteral("Singapore Dollar"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, kSgd, kChf, 50));
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::rateLostAfterStart_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("expected");

    for (const double rate : {-1.0, 0.0}) {
        const QByteArray tag = rate < 0 ? "no rate" : "zero rate";
        QTest::newRow(tag + ", into CAD") << rate << kEur << kCad << "NA";
        QTest::newRow(tag + ", out of CAD") << rate << kCad << kEur << "NA";
        QTest::newRow(tag + ", into USD") << rate << kEur << kUsd << "NA";
        QTest::newRow(tag + ", out of USD") << rate << kUsd << kEur << "NA";
        // The same currency needs no rate at all.
        QTest::newRow(tag + ", into itself") << rate << kEur << kEur << "100.0000";
    }
}

void ConversionTest::rateLostAfterStart() {
    QFETCH(double, rate);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, expected);

    Open(Config(true));
    // A download may leave a listed currency without a usable rate.
    Rates().CurrentRates[kEur] = rate;
    Convert(from, to, QStringLiteral("100"));

    QCOMPARE(form->ConvertEdit->text(), expected);
    QCOMPARE(form->Label1->text(), NameOf(from));
    QCOMPARE(form->Label2->text(), NameOf(to));
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::quickFindLetters_data() {
    QTest::addColumn<char>("letter");
    QTest::addColumn<QString>("entry"); // empty: the selection stays

    const char* const table[26] = {"Argentine Peso",
                                   "Bahamian Dollar",
                                   "Canadian Dollar",
                                   "Danish Krone",
                                   "East Caribbean Dollar",
                                   "Fiji Dollar",
                                   "Ghanaian Cedi",
                                   "Honduran Lempira",
                                   "Icelandic Krona",
                                   "Jamaican dollar",
                                   nullptr,
                                   nullptr,
                                   "Malaysian Ringgit",
                                   "Neth. Antilles Guilder",
                                   nullptr,
                                   "Pakistan Rupee",
                                   nullptr,
                                   "Russian Rouble",
                                   "Singapore Dollar",
                                   "Taiwanese New Dollar",
                                   "U.S. Dollar",
                                   "Venezuelan Bolivar",
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr};
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        QTest::newRow(QByteArray(1, letter).constData())
            << letter << (table[i] ? QString::fromLatin1(table[i]) : QString());
    }
}

void ConversionTest::quickFindLetters() {
    QFETCH(char, letter);
    QFETCH(QString, entry);

    const ConfigRecord config = Config(true);
    Open(config);
    const RateStore rates = Loaded(FullRateStore());
    QCOMPARE(form->LetterButtons[letter - 'A']->text(), QString(QLatin1Char(letter)));

    // Stale labels and an amount not yet converted: the letter refreshes
    // the one and converts the other.
    Type(form->SourceEdit, QStringLiteral("10"));
    form->FromComboBox->setCurrentIndex(kChf);
    form->ToComboBox->setCurrentIndex(kEur);
    const int expectedFrom = entry.isEmpty() ? kChf : form->FromComboBox->findText(entry);
    QVERIFY(expectedFrom >= 0);

    for (int press = 0; press < 2; ++press) {
        ClickLetter(letter);
        QCOMPARE(form->FromComboBox->currentIndex(), expectedFrom);
        QCOMPARE(form->ToComboBox->currentIndex(), kEur);
        QCOMPARE(form->Label1->text(), NameOf(expectedFrom));
        QCOMPARE(form->Label2->text(), NameOf(kEur));
        QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, expectedFrom, kEur, 10));
    }
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::quickFindWithMissingCurrencies() {
    const ConfigRecord config = Config(true);
    const RateStore store = RateStoreWithout({kArs, kFjd});
    Open(config, store);
    const RateStore rates = Loaded(store);
    QCOMPARE(form->FromComboBox->count(), kCurrencyCount - 2);
    QCOMPARE(form->FromComboBox->findText(NameOf(kArs)), -1);
    QCOMPARE(form->ToComboBox->findText(NameOf(kFjd)), -1);

    Type(form->SourceEdit, QStringLiteral("10"));
    // A falls to the next name with that initial.
    ClickLetter('A');
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("Australian Dollar"));
    QCOMPARE(form->FromComboBox->currentIndex(), 2);
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, 3, kUsd, 10));
    // Two entries missing in front: the cedi sits two places up.
    ClickLetter('G');
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("Ghanaian Cedi"));
    QCOMPARE(form->FromComboBox->currentIndex(), kGhs - 2);
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, kGhs, kUsd, 10));
    // No name with F is left.
    ClickLetter('F');
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("Ghanaian Cedi"));
    ClickLetter('V');
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("Venezuelan Bolivar"));
    QCOMPARE(form->FromComboBox->currentIndex(), kCurrencyCount - 3);
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::quickFindTarget() {
    const ConfigRecord config = Config(true);
    Open(config);
    const RateStore rates = Loaded(FullRateStore());
    Type(form->SourceEdit, QStringLiteral("10"));

    QTest::mouseClick(form->ToSpeedButton, Qt::LeftButton);
    QVERIFY(form->ToSpeedButton->isChecked());
    QVERIFY(!form->FromSpeedButton->isChecked());
    form->FromComboBox->setCurrentIndex(kEur);
    ClickLetter('S');
    QCOMPARE(form->FromComboBox->currentIndex(), kEur);
    QCOMPARE(form->ToComboBox->currentText(), QStringLiteral("Singapore Dollar"));
    QCOMPARE(form->Label1->text(), NameOf(kEur));
    QCOMPARE(form->Label2->text(), QStringLiteral("Singapore Dollar"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, kEur, kSgd, 10));

    // Clicking the button that is down keeps it down.
    QTest::mouseClick(form->ToSpeedButton, Qt::LeftButton);
    QVERIFY(form->ToSpeedButton->isChecked());
    QTest::mouseClick(form->FromSpeedButton, Qt::LeftButton);
    QVERIFY(form->FromSpeedButton->isChecked());
    QVERIFY(!form->ToSpeedButton->isChecked());
    ClickLetter('U');
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("U.S. Dollar"));
    QCOMPARE(form->ToComboBox->currentText(), QStringLiteral("Singapore Dollar"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, kUsd, kSgd, 10));
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::languageSwitch() {
    const ConfigRecord config = Config(true);
    Open(config);
    const RateStore rates = Loaded(FullRateStore());
    Convert(kChf, kEur, QStringLiteral("100"));
    QVERIFY(!form->ConvertEdit->text().isEmpty());

    QTest::mouseClick(form->RadioItems[1], Qt::LeftButton);
    QVERIFY(form->RadioItems[1]->isChecked());
    QCOMPARE(form->FromComboBox->count(), kCurrencyCount);
    // The pair and the amount stay; their names and number forms change.
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("Franc suisse"));
    QCOMPARE(form->ToComboBox->currentText(), NameOf(kEur, kFrench));
    QCOMPARE(form->Label1->text(), QStringLiteral("Franc suisse"));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("100"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, kChf, kEur, 100));
    QVERIFY(form->ConvertEdit->text().contains(QLatin1Char(',')));
    QCOMPARE(Configuration().Language, std::uint8_t{1});
    QCOMPARE(env->SavedConfig().Language, std::uint8_t{1});
    QCOMPARE(form->StaticText4->text(), QStringLiteral("Convertir &de"));

    // French names map back to the same currencies.
    Convert(kUsd, kCad, QStringLiteral("100"));
    QCOMPARE(form->Label1->text(), QStringLiteral("Dollar américain"));
    QCOMPARE(form->Label2->text(), QStringLiteral("Dollar canadien"));
    QCOMPARE(form->ConvertEdit->text(), QStringLiteral("120,0000"));
    Convert(kEur, kGhs, QStringLiteral("100"));
    QCOMPARE(form->Label2->text(), QStringLiteral("Cedi ghanéen"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, kEur, kGhs, 100));

    QTest::mouseClick(form->RadioItems[0], Qt::LeftButton);
    QCOMPARE(form->FromComboBox->currentText(), NameOf(kEur));
    QCOMPARE(form->ToComboBox->currentText(), QStringLiteral("Ghanaian Cedi"));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("100"));
    QCOMPARE(env->SavedConfig().Language, std::uint8_t{0});
    QVERIFY(env->messages.texts.isEmpty());
}

void ConversionTest::accentedNamesRoundTrip() {
    ConfigRecord config = Config(false);
    config.Language = 1;
    Open(config);

    int accented = 0;
    for (int k = 0; k < kCurrencyCount; ++k) {
        const QString shown = form->FromComboBox->itemText(k);
        const std::string bytes = ToCp1252(shown);
        QCOMPARE(bytes, CurrencyName(k, kFrench));
        QCOMPARE(FindCurrencyIndex(bytes, kFrench), k);
        if (shown.toLatin1() != shown.toUtf8())
            ++accented;
    }
    QVERIFY(accented > 10);

    // Every accented pair converts, in both directions.
    const RateStore rates = Loaded(FullRateStore());
    const int jmd = form->FromComboBox->findText(QStringLiteral("Dollar jamaïcain"));
    const int twd = form->FromComboBox->findText(QStringLiteral("Nouveau dollar taïwanais"));
    QVERIFY(jmd > 0 && twd > 0);
    Convert(jmd, twd, QStringLiteral("3"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, jmd, twd, 3));
    Convert(twd, jmd, QStringLiteral("3"));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(rates, config, twd, jmd, 3));
    QVERIFY(env->messages.texts.isEmpty());
}

QTEST_MAIN(ConversionTest)
#include "conversion_test.moc"
