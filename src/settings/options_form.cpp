#include "options_form.h"

#include "language.h"
#include "message_table.h"
#include "paths.h"
#include "settings/build_info.h"
#include "shell/shell_requests.h"
#include "shell/startmenu_form.h"
#include "widgets/dialog_parts.h"
#include "widgets/message_box.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace kestrum {

namespace {

const QColor kBlue(0x00, 0x00, 0xff);

QFont ChoiceFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setPixelSize(16);
    return font;
}

void PaintBlue(QWidget* widget, QPalette::ColorRole role) {
    QPalette p = widget->palette();
    // A dark desktop gets its own link colour: blue on dark cannot be read.
    p.setColor(role, p.color(QPalette::Window).lightness() < 128
                         ? p.color(QPalette::Link).lighter(150)
                         : kBlue);
    widget->setPalette(p);
}

QFrame* TipPanel(QWidget* parent, const char* name, QRect where) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(where);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    UseToolTipColours(panel);
    return panel;
}

QLabel* BlueLine(QWidget* parent, const QString& text, int x, int y) {
    auto* line = new QLabel(text, parent);
    line->move(x, y);
    PaintBlue(line, QPalette::WindowText);
    return line;
}

// The four pictures of the lower buttons, 32 x 32.
enum class Picture { Software, Startup, Email, Help };

QIcon ButtonPicture(Picture which) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x10, 0x2a, 0x6b), 1.5));
    switch (which) {
    case Picture::Software: // a globe
        p.setBrush(QColor(0x6c, 0xb4, 0xee));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(10, 3, 12, 26));
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        p.drawLine(QPointF(6, 9), QPointF(26, 9));
        p.drawLine(QPointF(6, 23), QPointF(26, 23));
        break;
    case Picture::Startup: { // a page with a shortcut arrow
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 20, 26));
        p.setBrush(QColor(0x30, 0xa0, 0x40));
        QPainterPath arrow;
        arrow.moveTo(10, 24);
        arrow.cubicTo(10, 16, 14, 13, 19, 13);
        arrow.lineTo(19, 9);
        arrow.lineTo(25, 15);
        arrow.lineTo(19, 21);
        arrow.lineTo(19, 17);
        arrow.cubicTo(15, 17, 12, 19, 10, 24);
        p.drawPath(arrow);
        break;
    }
    case Picture::Email: // an envelope
        p.setBrush(QColor(0xf6, 0xf0, 0xd8));
        p.drawRect(QRectF(3, 8, 26, 17));
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(16, 18), QPointF(29, 8)}));
        break;
    case Picture::Help: { // a question mark in a circle
        p.setBrush(QColor(0x1e, 0x5a, 0xc8));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont font(QStringLiteral("Sans Serif"));
        font.setBold(true);
        font.setPixelSize(20);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    return QIcon(pixmap);
}

QToolButton* FlatButton(QWidget* parent, const char* name, const QString& caption, Picture picture,
                        int x) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setIcon(ButtonPicture(picture));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(x, 8, 80, 64);
    PaintBlue(button, QPalette::ButtonText);
    return button;
}

} // namespace

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(tr("Options"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // Short enough for a 1920 x 1080 screen at scale 2 (540 pixels here),
    // with room for one more setting.
    setFixedSize(400, 416);
    CreateControls();

    connect(BitBtn1, &QPushButton::clicked, this, &TOptionsForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(dxButton1, &QToolButton::clicked, this, &TOptionsForm::dxButton1Click);
    connect(dxButton2, &QToolButton::clicked, this, &TOptionsForm::dxButton2Click);
    connect(dxButton3, &QToolButton::clicked, this, &TOptionsForm::dxButton3Click);
    connect(dxButton4, &QToolButton::clicked, this, &TOptionsForm::dxButton4Click);

    FormCreate();
}

void TOptionsForm::CreateControls() {
    Panel1 = TipPanel(this, "Panel1", QRect(4, 4, 392, 320));
    AutoCheckBox = new QCheckBox(tr("&Automatically download currency data"), Panel1);
    AutoCheckBox->setObjectName(QStringLiteral("AutoCheckBox"));
    AutoCheckBox->setGeometry(8, 12, 380, 24);

    GroupBox1 = new QGroupBox(tr("Format Options"), Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 44, 376, 172);
    CurrencyRadioButton = new QRadioButton(tr("Display results in &Currency Format"), GroupBox1);
    CurrencyRadioButton->setObjectName(QStringLiteral("CurrencyRadioButton"));
    CurrencyRadioButton->setGeometry(8, 24, 364, 24);
    BlueLine(GroupBox1, tr("Results will be displayed with commas"), 32, 48);
    NumberRadioButton = new QRadioButton(tr("Display results in &Number Format"), GroupBox1);
    NumberRadioButton->setObjectName(QStringLiteral("NumberRadioButton"));
    NumberRadioButton->setGeometry(8, 78, 364, 24);
    BlueLine(GroupBox1, tr("Select this option if you need to copy"), 32, 102);
    BlueLine(GroupBox1, tr("and paste this number into another"), 32, 120);
    BlueLine(GroupBox1, tr("computer program"), 32, 138);

    RoundCheckBox = new QCheckBox(tr("&Round numbers to the nearest cent"), Panel1);
    RoundCheckBox->setObjectName(QStringLiteral("RoundCheckBox"));
    RoundCheckBox->setGeometry(8, 222, 380, 24);
    FillCheckBox = new QCheckBox(tr("&Fill missing rates from the other source"), Panel1);
    FillCheckBox->setObjectName(QStringLiteral("FillCheckBox"));
    FillCheckBox->setGeometry(8, 246, 380, 24);
    FillCheckBox->setToolTip(
        tr("A currency the configured source does not publish takes the other "
           "source's rate of the same day, or of its latest day within a week."));
    for (QWidget* choice : std::initializer_list<QWidget*>{
             AutoCheckBox, CurrencyRadioButton, NumberRadioButton, RoundCheckBox, FillCheckBox})
        choice->setFont(ChoiceFont());

    BitBtn1 = new QPushButton(tr("OK"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(92, 278, 97, 33);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(tr("Cancel"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(212, 278, 97, 33);

    Panel2 = TipPanel(this, "Panel2", QRect(4, 332, 392, 80));
    dxButton1 = FlatButton(Panel2, "dxButton1", tr("&Software"), Picture::Software, 12);
    dxButton2 = FlatButton(Panel2, "dxButton2", tr("S&tartup"), Picture::Startup, 104);
    dxButton3 = FlatButton(Panel2, "dxButton3", tr("&Email"), Picture::Email, 196);
    dxButton4 = FlatButton(Panel2, "dxButton4", tr("&Help"), Picture::Help, 288);
    // Without a configured support address there is nobody to write to.
    dxButton3->setVisible(build::kSupportAddress[0] != '\0');

    const QList<QWidget*> order{
        AutoCheckBox, CurrencyRadioButton, NumberRadioButton, RoundCheckBox, FillCheckBox, BitBtn1,
        BitBtn2,      dxButton1,           dxButton2,         dxButton3,     dxButton4};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TOptionsForm::FormCreate() {
    const OptionValues values = ReadOptions(Configuration());
    AutoCheckBox->setChecked(values.autoDownload);
    CurrencyRadioButton->setChecked(values.currencyFormat);
    NumberRadioButton->setChecked(!values.currencyFormat);
    RoundCheckBox->setChecked(values.roundToCent);
    FillCheckBox->setChecked(FillFromOtherSource());
}

OptionValues TOptionsForm::Values() const {
    return {AutoCheckBox->isChecked(), CurrencyRadioButton->isChecked(),
            RoundCheckBox->isChecked()};
}

bool TOptionsForm::FillChosen() const {
    return FillCheckBox->isChecked();
}

void TOptionsForm::BitBtn1Click() {
    ApplyOptions(Values(), Configuration());
    // A failed save is reported; the new values stay in memory all the same.
    if (const IoResult saved = SaveConfiguration(); !saved)
        Messages().Error(this, saved.error);
    // The fill switch rebuilds the rates, which is the main window's to do.
    accept();
}

void TOptionsForm::OpenHelpPage(const QString& section) {
    QString name = QString::fromLatin1(Message(msg::HelpFile));
    // The French edition sits beside the English one, "_fr" before ".html".
    if (ShownLanguage() == kLanguageFrench)
        name.insert(name.lastIndexOf(QLatin1Char('.')), QLatin1String("_fr"));
    const QString page = ShippedFile(name);
    if (!QFileInfo(page).isFile()) {
        Messages().Error(this, tr("The help page \"%1\" cannot be found. Reinstall "
                                  "Kestrum or copy the page beside the program.")
                                   .arg(QDir::toNativeSeparators(page)));
        return;
    }
    QUrl url = QUrl::fromLocalFile(page);
    if (!section.isEmpty())
        url.setFragment(section);
    OpenOrSay(url, QDir::toNativeSeparators(page));
}

// The desktop may have no program for the request (no xdg-open): the user
// hears of it and where to go instead, rather than a click that does nothing.
void TOptionsForm::OpenOrSay(const QUrl& url, const QString& where) {
    if (Shell().Open(url))
        return;
    Messages().Error(this, tr("The desktop has no program to open %1. Install xdg-utils, or open "
                              "it yourself.")
                               .arg(where));
}

// The help page's About section: version, licence and where the rates come from.
void TOptionsForm::dxButton1Click() {
    OpenHelpPage(QStringLiteral("about"));
}

void TOptionsForm::dxButton2Click() {
    OpenStartmenuForm(this);
}

void TOptionsForm::dxButton3Click() {
    OpenOrSay(
        QUrl(
            QStringLiteral("mailto:%1?subject=Kestrum").arg(QLatin1String(build::kSupportAddress))),
        QLatin1String(build::kSupportAddress));
}

void TOptionsForm::dxButton4Click() {
    OpenHelpPage(QString());
}

} // namespace kestrum
