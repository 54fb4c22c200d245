// The main window's shortcut offer and its options button.
#include "kestrum_form.h"

#include "settings/options_form.h"
#include "shell/startmenu_form.h"

namespace kestrum {

void TKestrumForm::OfferShortcuts() {
    OpenStartmenuForm(this);
}

void TKestrumForm::dxButton1Click() {
    TOptionsForm dialog(this);
    dialog.exec();
}

} // namespace kestrum
