// The main window's shortcut offer and its options button.
#include "kestrum_form.h"

#include "settings/options.h"
#include "settings/options_form.h"
#include "shell/startmenu_form.h"
#include "update/rate_completion.h"
#include "widgets/message_box.h"

namespace kestrum {

void TKestrumForm::OfferShortcuts() {
    OpenStartmenuForm(this);
}

void TKestrumForm::dxButton1Click() {
    TOptionsForm dialog(this);
    if (dialog.exec() != QDialog::Accepted || dialog.FillChosen() == FillFromOtherSource())
        return;
    // The grids, the origins and the dated conversions read the rebuilt rates.
    if (const IoResult switched = SwitchFilling(dialog.FillChosen(), Rates(), Configuration());
        !switched)
        Messages().Error(this, switched.error);
}

} // namespace kestrum
