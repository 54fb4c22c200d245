// The window shows where the rates behind a result came from, and the grid
// marks the cells that the other source or a parity filled.
#include "form_fixture.h"

#include "data/dates.h"
#include "data/rate_files.h"
#include "grids/rate_grid_form.h"
#include "grids/rate_grid_origins.h"
#include "loopback_server.h"
#include "update/progress_form.h"
#include "update/rate_pipeline.h"
#include "widgets/prism_bar.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <atomic>
#include <httplib.h>

using namespace kestrum;
using namespace kestrum::test;

namespace {

constexpr int kUsd = 1, kEur = 13, kCzk = 10, kXcd = 12;

// The Bank's Friday and the ECB's Thursday: the koruna only from the ECB.
const QByteArray kBank = R"({"observations": [{"d": "2026-12-04",
    "FXUSDCAD": {"v": "1.4000"}, "FXEURCAD": {"v": "1.6200"}}]})";
const QByteArray kEcb =
    "<gesmes:Envelope xmlns:gesmes='http://www.gesmes.org/xml/2002-08-01' "
    "xmlns='http://www.ecb.int/vocabulary/2002-08-01/eurofxref'><Cube><Cube time='2026-12-03'>"
    "<Cube currency='USD' rate='1.1600'/><Cube currency='CAD' rate='1.6250'/>"
    "<Cube currency='CZK' rate='24.300'/></Cube></Cube></gesmes:Envelope>";

} // namespace

class OriginsTest : public FormTest {
    Q_OBJECT

    void StoreBothSources() {
        for (const auto& [name, body] : {std::pair{"ecb.xml", kEcb}, {"valet.json", kBank}}) {
            env->dir.Write(QLatin1String(name), body);
            QVERIFY(StoreRatePage(ProgramRates(), false, env->dir.Path(QLatin1String(name))));
        }
    }

private slots:
    void resultNamesSourceAndDayOfBothCurrencies() {
        StoreBothSources();
        form = env->Open();
        // From the start, before any conversion: the pair CAD to USD.
        QVERIFY2(form->RateOriginLabel->text().startsWith(QLatin1String("USD: Bank of Canada")),
                 qPrintable(form->RateOriginLabel->text()));
        form->FromComboBox->setCurrentIndex(form->FromComboBox->findText(NameOf(kUsd)));
        PickEntry(form->ToComboBox, form->ToComboBox->findText(NameOf(kCzk)));
        Type(form->SourceEdit, QStringLiteral("100\r"));
        QVERIFY(!form->ConvertEdit->text().isEmpty());
        QCOMPARE(form->RateOriginLabel->text(),
                 QStringLiteral("USD: Bank of Canada, Fri, Dec 4, 2026 \u00b7 CZK: ECB (filled), "
                                "Thu, Dec 3, 2026"));
        // A screen reader hears the whole line as the label's name, which
        // changes with it (a value event on a label never reaches it).
        QCOMPARE(
            QAccessible::queryAccessibleInterface(form->RateOriginLabel)->text(QAccessible::Name),
            form->RateOriginLabel->text());
        QCOMPARE(form->RateOriginLabel->toolTip(),
                 QStringLiteral("USD: Bank of Canada, Friday, December 4, 2026\nCZK: ECB "
                                "(filled), Thursday, December 3, 2026"));
        // Clear of the band's sunken frame (3 pixels), descenders included.
        QVERIFY(form->RateOriginLabel->geometry().bottom() < form->Panel3->height() - 3);
        // It speaks of the chosen pair, with or without a result.
        QTest::mouseClick(form->ClearButton, Qt::LeftButton);
        QVERIFY(form->RateOriginLabel->text().startsWith(QLatin1String("USD: Bank of Canada")));
    }

    // The download is four files: the Bank's answer, then the ECB's and the
    // NBP's two tables from the mirrors the preferences name; a failed fill
    // is one message.
    void downloadFetchesTheOtherSourceSecond_data() {
        QTest::addColumn<QString>("fillPath");
        QTest::newRow("filled") << QStringLiteral("/ecb");
        QTest::newRow("second fetch fails") << QStringLiteral("/missing");
    }
    void downloadFetchesTheOtherSourceSecond() {
        QFETCH(QString, fillPath);
        std::atomic<int> fills{0};
        std::atomic<int> tables{0};
        httplib::Server server;
        server.Get(R"(/nbp/tables/[AB]/.*)",
                   [&](const httplib::Request&, httplib::Response& response) {
                       ++tables;
                       response.status = 404;
                       response.set_content("404 NotFound - Not Found - Brak danych", "text/plain");
                   });
        server.Get("/valet", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kBank.toStdString(), "application/json");
        });
        server.Get("/ecb", [&](const httplib::Request&, httplib::Response& response) {
            ++fills;
            response.set_content(kEcb.toStdString(), "text/xml");
        });
        const Listening listening(server);
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(listening.port);
        ConfigRecord config = DefaultConfig();
        config.AutoDownload = 1;
        config.RatePageAddress = (base + QStringLiteral("/valet")).toStdString();
        env->WriteConfig(config);
        env->WriteRates(FullRateStore());
        env->dir.Write(QStringLiteral("kestrum.ini"), "fill/url=" + (base + fillPath).toUtf8() +
                                                          "\nfill/nbp-url=" + base.toUtf8() +
                                                          "/nbp/\n");
        env->downloads = true;
        TProgressForm progress;
        form = env->Open();

        QTRY_COMPARE_WITH_TIMEOUT(form->DataDateLabel->text(),
                                  DataDateText(DateValueFromYmd(2026, 12, 4)), 10000);
        const bool filled = fillPath == QStringLiteral("/ecb");
        QCOMPARE(fills.load(), filled ? 1 : 0);
        QCOMPARE(tables.load(), 2);
        // Each failure a sentence in one box.
        QCOMPARE(env->messages.texts.size(), 1);
        QCOMPARE(env->messages.texts[0].count(QStringLiteral("stay unfilled")), filled ? 2 : 3);
        QCOMPARE(progress.TotalPrismBar->Progress(), 100);
        QCOMPARE(DayRate(Rates(), kCzk, kDayCount) != kNotAvailable, filled);
        QCOMPARE(DayRate(Rates(), kUsd, kDayCount), 1.4);
    }

    void gridMarksFilledAndDerivedCells() {
        StoreBothSources();
        form = env->Open(false);
        TCRateForm grid;
        grid.DoCanGrid();
        const int newest = kDayCount - 1;
        const struct {
            int k;
            QColor shade; // invalid: unmarked
            const char* tip;
        } cells[] = {
            {kUsd, QColor(), ""},
            {kEur, QColor(), ""},
            {kCzk, kFilledShade, "ECB (filled), Thursday, December 3, 2026"},
            {kXcd, kParityShade, "2.70 per USD (Bank of Canada), Friday, December 4, 2026"},
        };
        for (const auto& cell : cells) {
            const QTableWidgetItem* item = grid.StringGrid->item(cell.k - 1, newest);
            QVERIFY2(!item->text().isEmpty(), CurrencyCode(cell.k));
            QCOMPARE(item->background().color(),
                     cell.shade.isValid() ? cell.shade : QBrush().color());
            QCOMPARE(item->toolTip(), QLatin1String(cell.tip));
        }
        QVERIFY(grid.LegendLabel->text().contains(kFilledShade.name()));
        QVERIFY(grid.LegendLabel->text().contains(kParityShade.name()));
    }
};

QTEST_MAIN(OriginsTest)
#include "origins_test.moc"
