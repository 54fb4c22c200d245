#include "progress_form.h"

#include "widgets/prism_bar.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <memory>

namespace kestrum {

namespace {

TProgressForm* g_progressForm = nullptr;
bool g_makeOnFirstUse = false;
std::unique_ptr<TProgressForm> g_made; // what ProgressFormOnFirstUse had made

// Windows' classic application-workspace grey.
const QColor kWorkspace(0xAB, 0xAB, 0xAB);

TPrismBar* PlaceBar(QWidget* parent, const char* name, int left) {
    auto* bar = new TPrismBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setGeometry(left, 64, 65, 180);
    bar->SetY(5);
    bar->SetColorScheme(pcPurpleBlue);
    bar->SetColor(kWorkspace);
    QFont font = bar->Font();
    font.setBold(true);
    font.setPixelSize(11);
    bar->SetFont(font);
    bar->SetFontColor(ColorFromBgr(0x800080));
    bar->SetMin(0);
    bar->SetMax(100);
    bar->SetShowPercentage(true);
    return bar;
}

} // namespace

TProgressForm::TProgressForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(tr("Downloading Data Files"));
    setFixedSize(396, 261);
    // A shown progress window must not keep the program alive after the
    // main window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kWorkspace);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    QFont formFont = font();
    formFont.setBold(true);
    formFont.setPixelSize(16);
    setFont(formFont);

    Label1 = new QLabel(tr("Downloading Data Files..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(24, 16, 350, 27);
    QFont labelFont(QStringLiteral("Courier New"));
    labelFont.setStyleHint(QFont::Monospace);
    labelFont.setBold(true);
    labelFont.setPixelSize(24);
    Label1->setFont(labelFont);
    Label1->adjustSize(); // grows with its caption, as a designer label does

    TotalPrismBar = PlaceBar(this, "TotalPrismBar", 112);
    PrismBar = PlaceBar(this, "PrismBar", 232);
    TotalPrismBar->setAccessibleName(tr("Whole job"));
    PrismBar->setAccessibleName(tr("Current file"));
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(306, 216, 78, 30);
    CancelButton->hide();
    g_progressForm = this;
}

TProgressForm::~TProgressForm() {
    if (g_progressForm == this)
        g_progressForm = nullptr;
}

void TProgressForm::ShowProgress(const QString& text) {
    TotalPrismBar->SetProgress(0);
    PrismBar->SetProgress(0);
    CancelButton->hide();
    Label1->setText(text);
    Label1->adjustSize();
    setWindowTitle(text);
    if (!isVisible()) {
        // Centred on the screen the window is on.
        if (const QScreen* where = screen())
            move(where->availableGeometry().center() - rect().center());
    }
    show();
    raise();
}

void TProgressForm::HideProgress() {
    hide();
}

bool TProgressForm::PressCancel() {
    if (CancelButton->isHidden() || !CancelButton->isEnabled())
        return false;
    CancelButton->click();
    return true;
}

void TProgressForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && PressCancel())
        return;
    QWidget::keyPressEvent(event);
}

// A job that cannot stop runs to its end in view: closing its window would
// only hide it.
void TProgressForm::closeEvent(QCloseEvent* event) {
    if (!PressCancel())
        event->ignore();
}

TProgressForm* ProgressForm() {
    if (!g_progressForm && g_makeOnFirstUse)
        g_made = std::make_unique<TProgressForm>();
    return g_progressForm;
}

ProgressFormOnFirstUse::ProgressFormOnFirstUse() {
    g_makeOnFirstUse = true;
}

ProgressFormOnFirstUse::~ProgressFormOnFirstUse() {
    g_makeOnFirstUse = false;
    g_made.reset();
}

void ShowProgress(const QString& text) {
    if (TProgressForm* form = ProgressForm())
        form->ShowProgress(text);
}

void HideProgress() {
    if (g_progressForm)
        g_progressForm->HideProgress();
}

} // namespace kestrum
