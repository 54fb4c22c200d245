// The main window's rate grid buttons.
#include "grids/rate_grid_form.h"
#include "kestrum_form.h"
#include "settings/configuration.h"
#include "settings/message_table.h"
#include "update/progress_form.h"

#include <QPushButton>

namespace kestrum {

void TKestrumForm::ConnectGridButtons() {
    connect(CanGridButton, &QPushButton::clicked, this, &TKestrumForm::CanGridButtonClick);
    connect(USGridButton, &QPushButton::clicked, this, &TKestrumForm::USGridButtonClick);
}

void TKestrumForm::CanGridButtonClick() {
    OpenRateGrid(GridBase::CanadianDollar);
}

void TKestrumForm::USGridButtonClick() {
    OpenRateGrid(GridBase::USDollar);
}

void TKestrumForm::OpenRateGrid(GridBase against) {
    TCRateForm form(this);
    ShowProgress(MessageText(msg::Parsing));
    // The grid names the currencies in the language the lists show; the
    // record is saved by the next change of a setting, not here.
    Configuration().Language = static_cast<std::uint8_t>(ShownLanguage());
    if (against == GridBase::CanadianDollar)
        form.DoCanGrid();
    else
        form.DoUSGrid();
    HideProgress();
    form.exec();
}

} // namespace kestrum
