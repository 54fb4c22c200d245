// The marks of filled and derived cells in the rate grid.
#include "rate_grid_origins.h"
#include "rate_grid_form.h"

#include "history/coverage.h"

#include <QTableWidget>

namespace kestrum {

QString OriginLegend() {
    // The shades are light in any palette, so their text is always black.
    const auto swatch = [](const QColor& shade, const QString& meaning) {
        return QStringLiteral(
                   "<span style=\"background-color:%1; color:#000000\">&nbsp;%2&nbsp;</span>")
            .arg(shade.name(), meaning);
    };
    return swatch(kFilledShade, TCRateForm::tr("filled")) + QStringLiteral("&nbsp; ") +
           swatch(kParityShade, TCRateForm::tr("fixed parity"));
}

void TCRateForm::MarkOrigins() {
    const history::RateOrigins origins = history::OriginsOfStoredRates(Rates());
    for (int row = 1; row <= kPageLabelCount; ++row) {
        const int k = m_unitGrid.rows[row - 1].currency;
        for (int d = 1; d <= kDayCount; ++d) {
            QTableWidgetItem* item = StringGrid->item(row - 1, d - 1);
            const history::Origin& origin = origins[d - 1][k];
            const bool marked = k > 0 && (origin.filled || !origin.parity.isEmpty()) &&
                                m_unitGrid.rows[row - 1].cells[d - 1].kind == GridCellKind::Value;
            item->setBackground(!marked                   ? QBrush()
                                : origin.parity.isEmpty() ? QBrush(kFilledShade)
                                                          : QBrush(kParityShade));
            item->setForeground(marked ? QBrush(Qt::black) : QBrush());
            item->setToolTip(marked ? history::OriginSentence(origin) : QString());
        }
    }
}

} // namespace kestrum
