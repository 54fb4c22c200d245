// The Graphs window's "Export prices": the shown pair and range as a price
// file, through the writers `kestrum history export` uses.
#include "graphs_form.h"

#include "data/dates.h"
#include "history/history_store.h"
#include "settings/file_io.h"
#include "settings/paths.h"
#include "widgets/message_box.h"

#include <QDateTime>
#include <QMenu>
#include <QPushButton>

namespace kestrum {

void TGraphsForm::CreateExportMenu() {
    ExportButton = new QPushButton(this);
    ExportButton->setObjectName(QStringLiteral("ExportButton"));
    auto* menu = new QMenu(ExportButton);
    menu->setObjectName(QStringLiteral("ExportMenu"));
    for (const prices::PriceFormat format : prices::kPriceFormats) {
        QAction* action = menu->addAction(prices::FormatTitle(format) + QStringLiteral("..."));
        action->setObjectName(QStringLiteral("Export_") + prices::FormatName(format));
        connect(action, &QAction::triggered, this, [this, format] { ExportPrices(format); });
    }
    ExportButton->setMenu(menu);
}

QString TGraphsForm::SavePrices(const QString& path, prices::PriceFormat format) {
    if (m_shown->lines.empty() || m_shown->lines.front().points.empty())
        return tr("No prices are shown to export.");
    if (IsProgramFile(path))
        return tr("\"%1\" is one of Kestrum's own files; export to another name.").arg(path);
    const ChartLine& line = m_shown->lines.front();
    prices::ExportRequest request;
    request.source = history::IsNbpSource(line.source) ? QStringLiteral("nbp") : line.source;
    request.currencies = {m_from};
    request.against = m_to;
    request.fromDay = line.points.front().day;
    request.toDay = line.points.back().day;
    // A pegged currency's chart follows its parity; its prices do too.
    request.parities = true;
    std::vector<prices::ExportedPrice> exported;
    try {
        history::Store store;
        if (store.OpenForReading().usable())
            exported = prices::CollectPrices(store, request);
    } catch (const history::StoreError& error) {
        return error.sentence();
    }
    if (exported.empty())
        return tr("The rate history holds no prices of %1 in %2 from the %3 for the days shown.")
            .arg(m_shown->fromCode, m_shown->toCode, SourceDisplayName(line.source));
    const IoResult written = WriteFileAtomically(
        path, prices::WritePrices(format, exported, request, QDateTime::currentDateTimeUtc()));
    return written ? QString() : written.error + QLatin1Char('.');
}

void TGraphsForm::ExportPrices(prices::PriceFormat format) {
    if (m_shown->lines.empty())
        return;
    const RateSeries& points = m_shown->lines.front().points;
    const QString suffix = prices::FormatSuffix(format);
    const QString path =
        ChooseSaveFile(this, tr("Export prices as %1").arg(prices::FormatTitle(format)),
                       QStringLiteral("%1-%2-%3-%4.%5")
                           .arg(m_shown->fromCode, m_shown->toCode, IsoDateText(points.front().day),
                                IsoDateText(points.back().day), suffix),
                       QStringLiteral("%1 (*.%2)").arg(prices::FormatTitle(format), suffix));
    if (path.isEmpty())
        return;
    if (const QString error = SavePrices(path, format); !error.isEmpty())
        Messages().Error(this, error);
}

} // namespace kestrum
