#include "startmenu_form.h"

#include "settings/paths.h"
#include "shell_link.h"
#include "start_menu_tree_form.h"
#include "widgets/dialog_parts.h"
#include "widgets/message_box.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kestrum {

namespace {

const char* const kNoStartMenu =
    "Windows returned an error when trying to locate the Start Menu directory.  The link to "
    "this program was not created.";

std::function<void(QWidget*)>& Opener() {
    static std::function<void(QWidget*)> opener;
    return opener;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* text, int y, bool checked) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(24, y, 496, 24);
    box->setChecked(checked);
    return box;
}

} // namespace

TStartmenuForm::TStartmenuForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StartmenuForm"));
    setWindowTitle(QStringLiteral("Insert a link onto the Windows Start Menu"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(536, 443);
    UseToolTipColours(this);

    Memo1 = ReadOnlyMemo(this, "Memo1", QRect(8, 8, 520, 310), Lines());

    StartmenuCheckBox =
        CheckBox(this, "StartmenuCheckBox",
                 "Check  this box to add a link to the Pop up Windows Start Menu", 326, true);
    QuicklaunchCheckBox =
        CheckBox(this, "QuicklaunchCheckBox",
                 "Check  this box to add a link to the Quick Launch Toolbar", 352, false);
    DesktopCheckBox = CheckBox(this, "DesktopCheckBox",
                               "Check  this box to add a link on the Desktop", 378, false);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(144, 408, 105, 28);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(288, 408, 105, 28);
    for (QPushButton* b : {OKButton, CancelButton})
        b->setAutoDefault(false);

    for (QCheckBox* box : {StartmenuCheckBox, QuicklaunchCheckBox, DesktopCheckBox})
        connect(box, &QCheckBox::clicked, this, [this, box] { CheckBoxClick(box); });
    connect(OKButton, &QPushButton::clicked, this, &TStartmenuForm::OKButtonClick);
    // Escape rejects the dialog, which is what Cancel does.
    connect(CancelButton, &QPushButton::clicked, this, &TStartmenuForm::CancelButtonClick);
}

QStringList TStartmenuForm::Lines() {
    return {
        QStringLiteral("The program you are using is a simple executable and does not change "),
        QStringLiteral("any Windows system files.  Therefore to 'uninstall the program' you can "),
        QStringLiteral(
            "use the recycle bin, and the inclusion of an installer would only result in "),
        QStringLiteral(
            "the addition of a link to this program on the pop up Windows Start Menu at "),
        QStringLiteral("the expense of doubling the size of the program download.  "),
        QStringLiteral("By checkmarking the boxes below and then pressing the OK button you "),
        QStringLiteral("can add a start up link to this program in any place you select."),
        QString(),
        QStringLiteral(
            "If you choose to place the link on the Start Menu then an Explorer type list "),
        QStringLiteral("of the available folders on the Start Menu will appear.  Open and "),
        QStringLiteral(
            "Highlight the folder of your choice and the shortcut to start the program "),
        QStringLiteral("will be placed within this folder."),
        QString(),
        QStringLiteral("If you 'uninstall' this program by deleting it from your drive, find the"),
        QStringLiteral("shortcuts you created here and using the right side mouse button (rather "),
        QStringLiteral(
            "than the usual left button) and right click on the link and then from the pop "),
        QStringLiteral("up menu that appears choose 'Delete' to remove this shortcut from your "),
        QStringLiteral("computer."),
    };
}

void TStartmenuForm::CheckBoxClick(QCheckBox* clicked) {
    if (clicked->isChecked()) {
        OKButton->setEnabled(true);
        return;
    }
    const bool another = (StartmenuCheckBox->isChecked() && clicked != StartmenuCheckBox) ||
                         (QuicklaunchCheckBox->isChecked() && clicked != QuicklaunchCheckBox) ||
                         (DesktopCheckBox->isChecked() && clicked != DesktopCheckBox);
    if (!another)
        OKButton->setEnabled(false);
}

void TStartmenuForm::OKButtonClick() {
    const QString self = ExecutablePath();
    if (DesktopCheckBox->isChecked())
        MakeShellLink(self, LinkPlace::lpDesktop, QString());
    if (QuicklaunchCheckBox->isChecked())
        MakeShellLink(self, LinkPlace::lpQuickLaunch, QString());
    if (StartmenuCheckBox->isChecked()) {
        const QString folder = ReadStartMenuFolder();
        if (folder.isEmpty()) {
            Messages().Information(this, QString::fromLatin1(kNoStartMenu));
        } else {
            TStartMenuTreeForm chooser(this);
            chooser.CreateTreeView(folder);
            if (chooser.exec() == QDialog::Accepted)
                MakeShellLink(self, LinkPlace::lpStartMenu, chooser.ChosenFolder());
        }
    }
    accept();
}

void TStartmenuForm::CancelButtonClick() {
    reject();
}

void OpenStartmenuForm(QWidget* owner) {
    if (Opener()) {
        Opener()(owner);
        return;
    }
    TStartmenuForm dialog(owner);
    dialog.exec();
}

void SetStartmenuFormOpener(std::function<void(QWidget*)> opener) {
    Opener() = std::move(opener);
}

} // namespace kestrum
