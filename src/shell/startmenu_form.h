#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace kestrum {

// Offers links to the program on the desktop, the Quick Launch bar and in a
// folder of the Start menu, and makes the ones checked.
class TStartmenuForm : public QDialog {
    Q_OBJECT
public:
    explicit TStartmenuForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QCheckBox* StartmenuCheckBox = nullptr;
    QCheckBox* QuicklaunchCheckBox = nullptr;
    QCheckBox* DesktopCheckBox = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    static QStringList Lines();

private:
    void CheckBoxClick(QCheckBox* clicked);
    void OKButtonClick();
    void CancelButtonClick();
};

// Opens the placement dialog owned by owner, modally, and destroys it; the
// main window's first run and the options dialog both come through here.
void OpenStartmenuForm(QWidget* owner);

// Tests put their own opener in place; an empty one restores the dialog.
void SetStartmenuFormOpener(std::function<void(QWidget*)> opener);

} // namespace kestrum
