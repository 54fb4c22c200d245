// The Graphs window driven through its real widgets, over a history store
// made for each test.
#include "app/form_fixture.h"

#include "data/conversion.h"
#include "data/dates.h"
#include "graphs/graphs_form.h"
#include "graphs/history_fetch.h"
#include "graphs/rate_chart.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "loopback_server.h"
#include "settings/preferences.h"
#include "update/progress_form.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

using namespace kestrum;
using namespace kestrum::test;

namespace {
int Day(int y, int m, int d) {
    return static_cast<int>(DateValueFromYmd(y, m, d));
}

// Weekdays from 4 January 2016 (a Monday) to Friday 4 December 2026; the
// U.S. dollar rises by 1/1024 a day from 1.25, exact in binary, so every
// day's rate and any product of it is known without rounding.
// Functions, not constants: the date functions are not ready during static
// initialisation.
int First() {
    return Day(2016, 1, 4);
}
int Last() {
    return Day(2026, 12, 4);
}
double UsdRate(int day) {
    return 1.25 + (day - First()) / 1024.0;
}

// `skipFrom` to `skipTo`: days left out, as years never fetched are.
void StoreHistory(const QString& source, int skipFrom = 0, int skipTo = -1) {
    history::Days days;
    for (int day = First(); day <= Last(); ++day) {
        if (CalendarDate(day).dayOfWeek() > 5 || (day >= skipFrom && day <= skipTo))
            continue;
        DayRecord& record = days[day];
        record.Values.fill(kNotAvailable);
        record.Values[0] = day;
        record.Values[1] = UsdRate(day);
    }
    history::Store store;
    QVERIFY(store.Open().usable());
    QVERIFY(store.Import(source, days, QStringLiteral("test")).ok);
}

QString g_savePath;
QString g_suggested;
QString ChooseTestPath(QWidget*, const QString&, const QString& suggested, const QString&) {
    g_suggested = suggested;
    return g_savePath;
}
} // namespace

class GraphsFormTest : public FormTest {
    Q_OBJECT

public:
    // The program loads the window from its module; here it is linked in.
    GraphsFormTest() { SetGraphsWindowMaker(&NewGraphsWindow); }

private slots:
    void buttonOpensOneWindowThatFollowsThePair();
    void rangeButtonsCutTheSeriesAndAreRemembered();
    void hoverAndArrowKeysReadTheNearestDay();
    void bothSourcesAsTwoLines();
    void convertAtDate_data();
    void convertAtDate();
    void fetchFillsTheEmptyChartAndCancelKeepsWhatWasStored();
    void exportsWhatIsShownAndEscapeCloses();
    void missingYearsBreakTheLineAndAreNamed();
    void opensOnScreenAndItsFiguresWrap();
    void longLineIsDrawnForThePlotArea_data();
    void longLineIsDrawnForThePlotArea();

private:
    // The main window on USD -> CAD and its Graphs window, shown.
    TGraphsForm* OpenGraphs() {
        env->WriteRates(FullRateStore());
        form = env->Open();
        const QStringList names = ListedNames(Loaded(FullRateStore()), 0);
        PickEntry(form->FromComboBox, static_cast<int>(names.indexOf(NameOf(1))));
        PickEntry(form->ToComboBox, static_cast<int>(names.indexOf(NameOf(0))));
        form->dxButton2->click();
        auto* graphs = form->findChild<TGraphsForm*>();
        if (graphs)
            graphs->resize(900, 640);
        return graphs && QTest::qWaitForWindowExposed(graphs) ? graphs : nullptr;
    }
};

void GraphsFormTest::buttonOpensOneWindowThatFollowsThePair() {
    StoreHistory(QLatin1String(history::kBoc));
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    QVERIFY(form->dxButton2->isVisible() && form->dxButton2->isEnabled());
    // Inside the window, clear of every other control of the right column and the lists.
    const QRect button = form->dxButton2->geometry();
    QVERIFY(QRect(0, 0, 622, 428 - 57 - 44).contains(button));
    const QWidget* const others[] = {form->dxButton1, form->GroupBox, form->FromComboBox,
                                     form->ToComboBox};
    for (const QWidget* other : others)
        QVERIFY2(!button.intersects(other->geometry()), qPrintable(other->objectName()));
    QCOMPARE(graphs->Shown().fromCode, QStringLiteral("USD"));
    QCOMPARE(graphs->Shown().toCode, QStringLiteral("CAD"));
    QCOMPARE(graphs->Shown().lines.back().points.back().rate, UsdRate(Last()));

    // Tab after Options; Ctrl+G brings the same window forward.
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    form->dxButton1->setFocus();
    QTest::keyClick(form->dxButton1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->dxButton2);
    QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(graphs->isActiveWindow());
    QCOMPARE(form->findChildren<TGraphsForm*>().size(), 1);

    // The other way round: the rate turns over.
    const QStringList names = ListedNames(Loaded(FullRateStore()), 0);
    PickEntry(form->FromComboBox, static_cast<int>(names.indexOf(NameOf(0))));
    PickEntry(form->ToComboBox, static_cast<int>(names.indexOf(NameOf(1))));
    QCOMPARE(graphs->Shown().fromCode, QStringLiteral("CAD"));
    QCOMPARE(graphs->Shown().lines.back().points.back().rate, 1.0 * (1.0 / UsdRate(Last())));

    // The language of the main window names the currencies.
    form->RadioItems[kFrench]->click();
    QCOMPARE(graphs->Shown().toName, NameOf(1, kFrench));
}

void GraphsFormTest::rangeButtonsCutTheSeriesAndAreRemembered() {
    StoreHistory(QLatin1String(history::kBoc));
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    struct Case {
        const char* name;
        int first; // the first weekday on or after the range's first day
    } const cases[] = {
        {"1M", Day(2026, 11, 5)}, {"3M", Day(2026, 9, 7)},   {"1Y", Day(2025, 12, 5)},
        {"5Y", Day(2021, 12, 6)}, {"10Y", Day(2016, 12, 5)}, {"All", First()},
    };
    for (const Case& c : cases) {
        QToolButton* button = graphs->findChild<QToolButton*>(
            QStringLiteral("Range%1Button").arg(QLatin1String(c.name)));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        const RateSeries& shown = graphs->Shown().lines.front().points;
        QCOMPARE(shown.front().day, c.first);
        QCOMPARE(shown.back().day, Last());
        QCOMPARE(ReadPreference(QLatin1String(pref::kGraphsRange)), QLatin1String(c.name));
        QVERIFY2(graphs->StatsLabel->text().contains(
                     QStringLiteral("First %1").arg(QString::number(UsdRate(c.first), 'g', 6))),
                 qPrintable(graphs->StatsLabel->text()));
    }
    // A new window opens on the last choice.
    QTest::mouseClick(graphs->findChild<QToolButton*>(QStringLiteral("Range5YButton")),
                      Qt::LeftButton);
    graphs->close();
    QTRY_VERIFY(!form->findChild<TGraphsForm*>());
    form->dxButton2->click();
    QTRY_VERIFY(form->findChild<TGraphsForm*>());
    QCOMPARE(form->findChild<TGraphsForm*>()->Range(), ChartRange::FiveYears);
}

void GraphsFormTest::hoverAndArrowKeysReadTheNearestDay() {
    StoreHistory(QLatin1String(history::kBoc));
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    QTest::mouseClick(graphs->findChild<QToolButton*>(QStringLiteral("Range1MButton")),
                      Qt::LeftButton);
    QChart* chart = graphs->ChartView->chart();
    // Over the weekend: before Sunday 0:00 Friday is the nearer day, after it Monday.
    const int friday = Day(2026, 11, 20);
    for (const auto& [x, expected] :
         {std::pair{friday + 1.3, friday}, {friday + 1.7, friday + 3}}) {
        const QPointF onChart =
            chart->mapToPosition(QPointF(ChartX(0) + x * 86400000.0, UsdRate(friday)));
        const QPoint pos = graphs->ChartView->mapFromScene(chart->mapToScene(onChart));
        // QTest::mouseMove reaches no widget without a pressed button offscreen.
        QMouseEvent move(QEvent::MouseMove, pos, graphs->ChartView->viewport()->mapToGlobal(pos),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(graphs->ChartView->viewport(), &move);
        QTRY_COMPARE(graphs->Shown().lines[0].points[graphs->ReadoutIndex()].day, expected);
        QVERIFY(graphs->ReadoutLabel->text().startsWith(LongDateText(expected)));
    }
    graphs->ChartView->setFocus();
    QTest::keyClick(graphs->ChartView, Qt::Key_Left);
    QCOMPARE(graphs->Shown().lines[0].points[graphs->ReadoutIndex()].day, friday);
    QTest::keyClick(graphs->ChartView, Qt::Key_Right);
    QTest::keyClick(graphs->ChartView, Qt::Key_Right);
    QCOMPARE(graphs->Shown().lines[0].points[graphs->ReadoutIndex()].day, friday + 4);
}

void GraphsFormTest::bothSourcesAsTwoLines() {
    StoreHistory(QLatin1String(history::kBoc));
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    // One source stored: nothing to choose.
    QVERIFY(graphs->SourceComboBox->isHidden());
    StoreHistory(QLatin1String(history::kEcb));
    graphs->Reload();
    QVERIFY(graphs->SourceComboBox->isVisibleTo(graphs));
    QCOMPARE(graphs->SourceComboBox->count(), 3);
    QCOMPARE(graphs->SourceComboBox->itemText(0), QStringLiteral("Bank of Canada"));
    QCOMPARE(graphs->Shown().lines.size(), std::size_t{1});
    PickEntry(graphs->SourceComboBox, 2);
    QCOMPARE(graphs->Shown().lines.size(), std::size_t{2});
    QCOMPARE(graphs->Shown().lines[1].source, QLatin1String(history::kEcb));
    PickEntry(graphs->SourceComboBox, 1);
    QCOMPARE(graphs->Shown().lines.size(), std::size_t{1});
    QCOMPARE(graphs->Shown().lines[0].source, QLatin1String(history::kEcb));

    // An NBP table, which only fills, is offered beside the banks, crossed
    // through its own Canadian dollar.
    history::Days days;
    history::Quotes quotes;
    days[Last()].Values.fill(kNotAvailable);
    days[Last()].Values[0] = Last();
    days[Last()].Values[1] = 4.0;
    quotes[Last()].texts[0] = "2.5";
    quotes[Last()].texts[1] = "4.0";
    history::Store store;
    QVERIFY(store.Open().usable());
    QVERIFY(store.Import(QLatin1String(history::kNbpA), days, QStringLiteral("test"), quotes).ok);
    graphs->Reload();
    QCOMPARE(graphs->SourceComboBox->itemText(3),
             QStringLiteral("National Bank of Poland, table A"));
    PickEntry(graphs->SourceComboBox, 3);
    QCOMPARE(graphs->Shown().lines[0].source, QLatin1String(history::kNbpA));
    QCOMPARE(graphs->Shown().lines[0].points.back().rate, 1.6);
}

void GraphsFormTest::convertAtDate_data() {
    QTest::addColumn<bool>("feeOn");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("rateDay");
    QTest::addColumn<QString>("result"); // empty: no rate
    QTest::addColumn<int>("rule");       // the rule chooser's entry

    QTest::newRow("a weekday") << false << "1,000" << QDate(2026, 3, 4) << Day(2026, 3, 4)
                               << FormatResult(1000 * UsdRate(Day(2026, 3, 4)), 4, false, QLocale())
                               << 0;
    QTest::newRow("Sunday takes Friday")
        << false << "1000" << QDate(2026, 3, 8) << Day(2026, 3, 6)
        << FormatResult(1000 * UsdRate(Day(2026, 3, 6)), 4, false, QLocale()) << 0;
    QTest::newRow("Sunday, the next publication: Monday")
        << false << "1000" << QDate(2026, 3, 8) << Day(2026, 3, 9)
        << FormatResult(1000 * UsdRate(Day(2026, 3, 9)), 4, false, QLocale()) << 1;
    QTest::newRow("Sunday, that day only: refused")
        << false << "1000" << QDate(2026, 3, 8) << 0 << QString() << 2;
    QTest::newRow("the fee as configured") << true << "100" << QDate(2016, 1, 4) << First()
                                           << FormatResult(120.0, 4, false, QLocale()) << 0;
    QTest::newRow("before the first day")
        << false << "100" << QDate(2015, 12, 1) << 0 << QString() << 0;
}

void GraphsFormTest::convertAtDate() {
    QFETCH(bool, feeOn);
    QFETCH(QString, amount);
    QFETCH(QDate, date);
    QFETCH(int, rateDay);
    QFETCH(QString, result);
    QFETCH(int, rule);
    ConfigRecord config = DefaultConfig();
    config.CashRateOn = feeOn ? 1 : 0;
    config.CashRate = 4.0;
    env->WriteConfig(config);
    StoreHistory(QLatin1String(history::kBoc));
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    graphs->AmountEdit->setText(amount);
    graphs->DateEdit->setDate(date);
    PickEntry(graphs->RuleComboBox, rule);
    QTest::mouseClick(graphs->ConvertButton, Qt::LeftButton);
    const QString text = graphs->ConvertResultLabel->text();
    if (result.isEmpty()) {
        QVERIFY2(text.startsWith(rule == 2 ? QStringLiteral("The Bank of Canada published no")
                                           : QStringLiteral("No rate")),
                 qPrintable(text));
        return;
    }
    QVERIFY2(text.contains(QStringLiteral("= %1 CAD").arg(result)), qPrintable(text));
    QVERIFY2(text.contains(LongDateText(rateDay)), qPrintable(text));
    QVERIFY(env->messages.texts.isEmpty());
}

void GraphsFormTest::fetchFillsTheEmptyChartAndCancelKeepsWhatWasStored() {
    httplib::Server server;
    std::atomic<int> requests{0};
    // The first answer waits until the test lets it go: Cancel must not.
    std::atomic<bool> holdFirst{true};
    // Two weekdays inside each requested range, as the Valet service answers
    // one; ten days in, so that a second fetch asks the same ranges again.
    server.Get("/valet", [&](const httplib::Request& request, httplib::Response& response) {
        if (++requests == 1)
            while (holdFirst)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const auto weekday = [](QDate d) {
            while (d.dayOfWeek() > 5)
                d = d.addDays(1);
            return d;
        };
        const QDate first =
            weekday(QDate::fromString(QString::fromStdString(request.get_param_value("start_date")),
                                      Qt::ISODate)
                        .addDays(10));
        const QDate second = weekday(first.addDays(1));
        response.set_content(QStringLiteral("{\"observations\": ["
                                            "{\"d\": \"%1\", \"FXUSDCAD\": {\"v\": \"1.3\"}},"
                                            "{\"d\": \"%2\", \"FXUSDCAD\": {\"v\": \"1.4\"}}]}")
                                 .arg(first.toString(Qt::ISODate), second.toString(Qt::ISODate))
                                 .toStdString(),
                             "application/json");
    });
    Listening listening(server);
    TProgressForm progress;
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    QCOMPARE(graphs->ChartStack->currentIndex(), 1);
    QVERIFY(graphs->EmptyLabel->text().contains(QStringLiteral("No history")));
    graphs->HistoryFetch()->BaseAddress =
        QStringLiteral("http://127.0.0.1:%1/valet").arg(listening.port);

    // Cancel while the first request waits for its answer: the job ends at
    // once, not when the answer comes, and the end says nothing came.
    QTest::mouseClick(graphs->EmptyFetchButton, Qt::LeftButton);
    QVERIFY(progress.isVisible() && progress.CancelButton->isVisible());
    // Over the Graphs window, not wherever the calculator is.
    QVERIFY(graphs->frameGeometry().contains(progress.geometry().center()));
    QVERIFY(!progress.Label1->text().isEmpty() &&
            progress.Label1->geometry().right() < progress.width());
    QTest::mouseClick(progress.CancelButton, Qt::LeftButton);
    QVERIFY(!graphs->HistoryFetch()->Running());
    holdFirst = false;
    QCOMPARE(graphs->ChartStack->currentIndex(), 1);
    QCOMPARE(env->messages.texts,
             QStringList{QStringLiteral("Fetching stopped: no day was added.")});
    env->messages.Clear();

    // The whole job: one request a year up to this one, and the end counts
    // the days that came.
    QTest::mouseClick(graphs->FetchButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!graphs->HistoryFetch()->Running(), 20000);
    const int years = QDate::currentDate().year() - 2017 + 1;
    QVERIFY(!progress.isVisible());
    QTest::mouseClick(graphs->findChild<QToolButton*>(QStringLiteral("RangeAllButton")),
                      Qt::LeftButton);
    QCOMPARE(graphs->Shown().lines.front().points.size(), std::size_t(2) * years);
    QCOMPARE(env->messages.texts,
             QStringList{QStringLiteral("%1 days of rates added to the history.").arg(2 * years)});
    env->messages.Clear();
    // Again: nothing new is said as such.
    QTest::mouseClick(graphs->FetchButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!graphs->HistoryFetch()->Running(), 20000);
    QCOMPARE(env->messages.texts, QStringList{QStringLiteral(
                                      "Nothing new: the history already held every day fetched.")});
}

void GraphsFormTest::exportsWhatIsShownAndEscapeCloses() {
    StoreHistory(QLatin1String(history::kBoc));
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    QTest::mouseClick(graphs->findChild<QToolButton*>(QStringLiteral("Range3MButton")),
                      Qt::LeftButton);
    SetSaveFileChooser(ChooseTestPath);
    g_savePath = env->dir.Path(QStringLiteral("chart.png"));
    QTest::mouseClick(graphs->PngButton, Qt::LeftButton);
    // Named as the chart is titled: one U.S. dollar in Canadian dollars.
    QCOMPARE(graphs->windowTitle(), QStringLiteral("Graphs: CAD/USD"));
    QCOMPARE(g_suggested, QStringLiteral("CAD-USD.png"));
    const QImage image(g_savePath);
    QCOMPARE(image.size(), graphs->ChartView->size());
    g_savePath = env->dir.Path(QStringLiteral("chart.csv"));
    QTest::mouseClick(graphs->CsvButton, Qt::LeftButton);
    const QList<QByteArray> lines =
        env->dir.Read(QStringLiteral("chart.csv")).trimmed().split('\n');
    QCOMPARE(static_cast<std::size_t>(lines.size()),
             graphs->Shown().lines.front().points.size() + 1);
    QCOMPARE(lines.last(), "2026-12-04,boc," + QByteArray::number(UsdRate(Last()), 'g',
                                                                  QLocale::FloatingPointShortest));
    // The prices of the same days, as ledger reads them.
    g_savePath = env->dir.Path(QStringLiteral("prices.ledger"));
    graphs->ExportButton->menu()->findChild<QAction*>(QStringLiteral("Export_ledger"))->trigger();
    SetSaveFileChooser(nullptr);
    const QList<QByteArray> prices =
        env->dir.Read(QStringLiteral("prices.ledger")).trimmed().split('\n');
    QCOMPARE(static_cast<std::size_t>(prices.size() - 3),
             graphs->Shown().lines.front().points.size());
    QCOMPARE(prices.last(),
             "P 2026/12/04 USD " +
                 QString::number(UsdRate(Last()), 'f', QLocale::FloatingPointShortest).toLatin1() +
                 " CAD");
    QVERIFY(env->messages.texts.isEmpty());

    QTest::keyClick(graphs, Qt::Key_Escape);
    QTRY_VERIFY(!form->findChild<TGraphsForm*>());
}

void GraphsFormTest::missingYearsBreakTheLineAndAreNamed() {
    StoreHistory(QLatin1String(history::kBoc), Day(2021, 1, 1), Day(2024, 12, 31));
    StoreHistory(QLatin1String(history::kEcb), Day(2021, 1, 1), Day(2024, 12, 31));
    TGraphsForm* graphs = OpenGraphs();
    QVERIFY(graphs);
    QTest::mouseClick(graphs->findChild<QToolButton*>(QStringLiteral("RangeAllButton")),
                      Qt::LeftButton);
    PickEntry(graphs->SourceComboBox, 2); // both sources
    QChart* chart = graphs->ChartView->chart();
    int pieces = 0;
    int bands = 0;
    for (QAbstractSeries* series : chart->series()) {
        pieces += series->type() == QAbstractSeries::SeriesTypeLine;
        bands += series->type() == QAbstractSeries::SeriesTypeArea;
    }
    QCOMPARE(pieces, 4); // each source before and after the gap
    QCOMPARE(bands, 1);
    // One entry per source and one for the band; none without a name.
    const auto legend = [chart] {
        QStringList labels;
        for (QLegendMarker* marker : chart->legend()->markers())
            if (marker->isVisible())
                labels << marker->label();
        return labels;
    };
    // The legend lays its markers out when the chart is next drawn.
    QTRY_COMPARE(legend(),
                 QStringList({"Bank of Canada", "European Central Bank", "No rates stored"}));
    QVERIFY2(graphs->StatsLabel->text().contains(
                 QStringLiteral("days with rates between 2016-01-04 and 2026-12-04; nothing "
                                "stored from 2021-01-01 to 2024-12-31.")),
             qPrintable(graphs->StatsLabel->text()));
}

// However large it was made and wherever the calculator stands, the window
// opens wholly on the calculator's screen, and the statistics line wraps
// instead of forcing a width wider than the screens of small laptops.
void GraphsFormTest::opensOnScreenAndItsFiguresWrap() {
    StoreHistory(QLatin1String(history::kBoc));
    env->WriteRates(FullRateStore());
    form = env->Open();
    const QRect area = form->screen()->availableGeometry();
    form->move(area.right() - form->width() / 2, area.top() + 10); // half off the right edge
    form->dxButton2->click();
    auto* graphs = form->findChild<TGraphsForm*>();
    QVERIFY(graphs && QTest::qWaitForWindowExposed(graphs));
    const QRect placed = graphs->frameGeometry();
    QVERIFY2(area.contains(placed), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                   .arg(placed.x())
                                                   .arg(placed.y())
                                                   .arg(placed.width())
                                                   .arg(placed.height())));
    QVERIFY(!graphs->StatsLabel->text().isEmpty());
    QVERIFY2(graphs->minimumSizeHint().width() < 640,
             qPrintable(QString::number(graphs->minimumSizeHint().width())));
}

void GraphsFormTest::longLineIsDrawnForThePlotArea_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("picture") << QSize(900, 500);
    QTest::newRow("small") << QSize(400, 300);
}

// Two points a pixel of the plot area, not of the whole chart, with the ends
// and a one-day spike and trough among them.
void GraphsFormTest::longLineIsDrawnForThePlotArea() {
    QFETCH(QSize, size);
    ChartLine line{QStringLiteral("ecb"), QStringLiteral("ECB"), {}};
    for (int day = First(); day < First() + 6000; ++day)
        line.points.push_back({day, 1.3 + (day % 7) / 100.0});
    line.points[3000].rate = 2.0;
    line.points[4000].rate = 0.5;
    ChartContent content;
    content.lines.push_back(line);
    const std::unique_ptr<QChart> chart(BuildRateChart(content, size));
    const auto* drawn = qobject_cast<QLineSeries*>(chart->series().front());
    QVERIFY(drawn);
    const qreal plot = chart->plotArea().width();
    QVERIFY2(drawn->count() >= 2 * int(plot) && drawn->count() <= 2 * int(std::ceil(plot)) + 2,
             qPrintable(QStringLiteral("%1 points, %2 pixels").arg(drawn->count()).arg(plot)));
    const auto has = [drawn](const RatePoint& point) {
        return drawn->points().contains(QPointF(ChartX(point.day), point.rate));
    };
    for (const std::size_t i :
         {std::size_t(0), std::size_t(3000), std::size_t(4000), line.points.size() - 1})
        QVERIFY2(has(line.points[i]), qPrintable(QString::number(i)));
}

QTEST_MAIN(GraphsFormTest)
#include "graphs_form_test.moc"
