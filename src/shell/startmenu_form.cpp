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

// The Windows texts describe the Start menu, the Quick Launch bar and the
// recycle bin; elsewhere the dialog says what it does there: desktop entries
// in the applications menu and on the desktop.
#ifdef Q_OS_WIN
constexpr bool kOffersQuickLaunch = true;
const char* const kNoStartMenu =
    "Windows returned an error when trying to locate the Start Menu directory.  The link to "
    "this program was not created.";
const char* const kTitle = "Insert a link onto the Windows Start Menu";
const char* const kMenuBox = "Check  this box to add a link to the Pop up Windows Start Menu";
#else
constexpr bool kOffersQuickLaunch = false;
const char* const kNoStartMenu = QT_TRANSLATE_NOOP(
    "kestrum::TStartmenuForm",
    "The folder of the applications menu (~/.local/share/applications) cannot be found or "
    "made.  The link to this program was not created.");
const char* const kTitle =
    QT_TRANSLATE_NOOP("kestrum::TStartmenuForm", "Insert a link into the applications menu");
const char* const kMenuBox = QT_TRANSLATE_NOOP(
    "kestrum::TStartmenuForm", "Check  this box to add a link to the applications &menu");
#endif

std::function<void(QWidget*)>& Opener() {
    static std::function<void(QWidget*)> opener;
    return opener;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* text, int y, bool checked) {
    auto* box = new QCheckBox(TStartmenuForm::tr(text), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(24, y, 496, 24);
    box->setChecked(checked);
    return box;
}

} // namespace

TStartmenuForm::TStartmenuForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StartmenuForm"));
    setWindowTitle(tr(kTitle));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // Without the Quick Launch box the rows below it move up by one.
    const int gap = kOffersQuickLaunch ? 0 : 26;
    setFixedSize(536, 443 - gap);
    UseToolTipColours(this);

    Memo1 = ReadOnlyMemo(this, "Memo1", QRect(8, 8, 520, 310), Lines());
    Memo1->setAccessibleName(tr("What the links do"));

    StartmenuCheckBox = CheckBox(this, "StartmenuCheckBox", kMenuBox, 326, true);
    QuicklaunchCheckBox = CheckBox(
        this, "QuicklaunchCheckBox",
        QT_TR_NOOP("Check  this box to add a link to the Quick Launch Toolbar"), 352, false);
    QuicklaunchCheckBox->setVisible(kOffersQuickLaunch);
    QuicklaunchCheckBox->setEnabled(kOffersQuickLaunch);
    DesktopCheckBox =
        CheckBox(this, "DesktopCheckBox",
                 QT_TR_NOOP("Check  this box to add a link on the &Desktop"), 378 - gap, false);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(144, 408 - gap, 105, 28);
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(288, 408 - gap, 105, 28);
    for (QPushButton* b : {OKButton, CancelButton})
        b->setAutoDefault(false);

    for (QCheckBox* box : {StartmenuCheckBox, QuicklaunchCheckBox, DesktopCheckBox})
        connect(box, &QCheckBox::clicked, this, [this, box] { CheckBoxClick(box); });
    connect(OKButton, &QPushButton::clicked, this, &TStartmenuForm::OKButtonClick);
    // Escape rejects the dialog, which is what Cancel does.
    connect(CancelButton, &QPushButton::clicked, this, &TStartmenuForm::CancelButtonClick);
}

QStringList TStartmenuForm::Lines() {
#ifndef Q_OS_WIN
    return tr("The program you are using is a simple executable and does not change\n"
              "any system files.  A copy kept in a folder of its own is removed by\n"
              "deleting that folder; an installed copy is removed with the package\n"
              "manager (apt remove kestrum), and either way your settings and rates\n"
              "stay in their data folder until you delete it.\n"
              "By checkmarking the boxes below and then pressing the OK button you\n"
              "can add a start up link to this program in any place you select.\n"
              "\n"
              "If you choose to place the link in the applications menu then a list\n"
              "of the folders of your applications menu will appear.  Open and\n"
              "highlight the folder of your choice and the link to start the program\n"
              "will be placed within this folder.\n"
              "\n"
              "Each link is a file named Kestrum.desktop; a link already there is\n"
              "never replaced.  To remove a link, delete its Kestrum.desktop from the\n"
              "desktop or from the folder of ~/.local/share/applications you chose,\n"
              "in a file manager or with rm.")
        .split(QLatin1Char('\n'));
#else
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
#endif
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
    // A link made from a run with its own data folder starts it there too.
    QStringList arguments;
    if (const QString dir = ChosenProgramDir(); !dir.isEmpty())
        arguments << QStringLiteral("--data-dir") << dir;
    if (DesktopCheckBox->isChecked())
        MakeShellLink(self, LinkPlace::lpDesktop, QString(), arguments);
    if (QuicklaunchCheckBox->isEnabled() && QuicklaunchCheckBox->isChecked())
        MakeShellLink(self, LinkPlace::lpQuickLaunch, QString(), arguments);
    if (StartmenuCheckBox->isChecked()) {
        const QString folder = ReadStartMenuFolder();
        if (folder.isEmpty()) {
            Messages().Information(this, tr(kNoStartMenu));
        } else {
            TStartMenuTreeForm chooser(this);
            chooser.CreateTreeView(folder);
            if (chooser.exec() == QDialog::Accepted)
                MakeShellLink(self, LinkPlace::lpStartMenu, chooser.ChosenFolder(), arguments);
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
