// Builds the calculator window's controls at their fixed positions.
#include "bounded_popup_style.h"
#include "focus_marked_button.h"
#include "glyphs.h"
#include "kestrum_form.h"
#include "list_choice_button.h"
#include "widgets/app_icon.h"

#include "data/number_text.h"
#include "settings/build_info.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

namespace kestrum {

namespace {

QFont PixelFont(int pixels, bool bold = false, bool italic = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

template <typename W> W* Place(W* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QFrame* Panel(QWidget* parent, const char* name, int x, int y, int w, int h, bool lowered) {
    auto* panel = Place(new QFrame(parent), name, x, y, w, h);
    if (lowered) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setLineWidth(3);
    }
    return panel;
}

QLabel* Text(QWidget* parent, const char* name, const QString& caption, int x, int y,
             const QFont& font, const QColor& colour = QColor()) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    if (colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    label->move(x, y);
    // An empty label is sized when it gets its text; measuring nothing would
    // still load its face before the first paint.
    if (!caption.isEmpty())
        label->adjustSize();
    return label;
}

// The keypad buttons must not take the focus: the caret stays in the amount
// field, so the keyboard and Enter keep working after a click.
QPushButton* KeypadButton(QWidget* parent, const char* name, const QString& caption, int x, int y,
                          int w, int h, const QFont& font) {
    auto* button = Place(new QPushButton(caption, parent), name, x, y, w, h);
    button->setFont(font);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

void TKestrumForm::CreateControls() {
    setObjectName(QStringLiteral("KestrumForm"));
    setWindowTitle(QStringLiteral("Kestrum %1").arg(QLatin1String(build::kVersion)));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(622, 428);
    setFont(PixelFont(16));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Midlight));
    setPalette(palette);

    // The caption blue of a light desktop; a dark one gets its own link
    // colour, which it keeps readable on its dark panels.
    const QColor blue = palette.color(QPalette::Window).lightness() < 128
                            ? palette.color(QPalette::Link).lighter(150)
                            : QColor(Qt::blue);

    // Top band: logo, today's date and the clock.
    Panel1 = Panel(this, "Panel1", 0, 0, 622, 57, true);
    Image1 = Place(new QLabel(Panel1), "Image1", 4, 8, 318, 42);
    Image1->setPixmap(LogoPixmap());
    Panel13 = Panel(Panel1, "Panel13", 328, 10, 249, 40, false);
    TodayLabel = Text(Panel13, "TodayLabel", QString(), 18, 12, PixelFont(13, true), blue);
    TimePanel = Place(new QLabel(Panel13), "TimePanel", 249 - 86, 0, 86, 40);
    TimePanel->setFont(PixelFont(16, true));
    TimePanel->setAlignment(Qt::AlignCenter);
    TimePanel->setPalette(TodayLabel->palette());

    // The working area between the bands.
    auto* body = Place(new QWidget(this), "BodyPanel", 0, 57, 622, 428 - 57 - 44);

    Label1 = Text(body, "Label1", QString(), 16, 16, PixelFont(13, true));
    Label2 = Text(body, "Label2", QString(), 288, 16, PixelFont(13, true));
    Label1->setFixedWidth(260);
    Label2->setFixedWidth(320);
    Panel6 = Panel(body, "Panel6", 16, 40, 233, 49, true);
    SourceEdit = Place(new QLineEdit(Panel6), "SourceEdit", 16, 12, 201, 26);
    SourceEdit->setFont(PixelFont(16, true));
    SourceEdit->setMaxLength(kMaxAmountLength);
    Panel12 = Panel(body, "Panel12", 288, 40, 233, 49, true);
    ConvertEdit = Place(new QLineEdit(Panel12), "ConvertEdit", 16, 12, 201, 26);
    ConvertEdit->setFont(PixelFont(16, true));
    ConvertEdit->setReadOnly(true);
    // A click may still select the result for copying; Tab passes it by.
    ConvertEdit->setFocusPolicy(Qt::ClickFocus);

    // Keypad.
    Panel5 = Panel(body, "Panel5", 16, 94, 370, 136, true);
    Panel5->setFont(PixelFont(19));
    static const char* const kDigitNames[10] = {"Button0",  "Button3", "Button4", "Button5",
                                                "Button6",  "Button7", "Button8", "Button9",
                                                "Button10", "Button11"};
    for (int digit = 0; digit <= 9; ++digit) {
        // "1".."6" on the first row, "7", "8", "9", "0" on the second.
        const int slot = digit == 0 ? 9 : digit - 1;
        const int x = 8 + (slot % 6) * 60;
        const int y = slot < 6 ? 8 : 56;
        DigitButtons[digit] = KeypadButton(Panel5, kDigitNames[digit], QString::number(digit), x, y,
                                           50, 40, PixelFont(19, true));
    }
    DotButton = KeypadButton(Panel5, "DotButton", QStringLiteral("."), 248, 56, 50, 40,
                             PixelFont(32, true));
    EnterButton = KeypadButton(Panel5, "EnterButton", QString(), 308, 56, 50, 40, PixelFont(13));
    CommaButton = KeypadButton(Panel5, "CommaButton", QString(), 8, 104, 50, 25, PixelFont(11));
    ClearButton = KeypadButton(Panel5, "ClearButton", QString(), 68, 104, 50, 25, PixelFont(13));
    // Not the button's own shortcut: that clicks 100 ms later and would wipe
    // keys typed meanwhile.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, ClearButton, &QPushButton::click);
    // Ctrl+A anywhere takes the caret to the amount, selected for typing over.
    auto* selectAmount = new QShortcut(QKeySequence::SelectAll, this);
    connect(selectAmount, &QShortcut::activated, this, [this] {
        SourceEdit->setFocus(Qt::ShortcutFocusReason);
        SourceEdit->selectAll();
    });

    PercentCheckBox = new QCheckBox(Panel5);
    PercentCheckBox->setObjectName(QStringLiteral("PercentCheckBox"));
    PercentCheckBox->setFont(PixelFont(13, true));
    PercentCheckBox->move(152, 106);
    // Given its face before its parent and its text: laid out in the keypad's
    // 19-pixel face first, it would load a face nothing shows.
    auto* cashRate = new QLineEdit;
    cashRate->setFont(PixelFont(13));
    cashRate->setParent(Panel5);
    cashRate->setText(QStringLiteral("4"));
    CashRateEdit = Place(cashRate, "CashRateEdit", 272, 104, 41, 25);
    BitBtn2 = Place(new QPushButton(Panel5), "BitBtn2", 324, 104, 26, 25);
    BitBtn2->setFont(PixelFont(13)); // no text: a face already loaded
    BitBtn2->setIcon(InformationGlyph());

    // Quick find.
    StaticText5 = Text(body, "StaticText5", QString(), 392, 92, PixelFont(13, true, true));
    FindPanel = Panel(body, "FindPanel", 392, 118, 129, 113, true);
    for (int i = 0; i < 26; ++i) {
        const QChar letter(QLatin1Char(static_cast<char>('A' + i)));
        QString name = QString(letter) + QStringLiteral("Button");
        if (letter == QLatin1Char('T'))
            name = QStringLiteral("ButtonT");
        else if (letter == QLatin1Char('U'))
            name = QStringLiteral("uButton");
        else if (letter == QLatin1Char('V'))
            name = QStringLiteral("vButton");
        auto* button = new QPushButton(QString(letter), FindPanel);
        button->setObjectName(name);
        button->setGeometry(4 + (i % 6) * 20, 4 + (i / 6) * 22, 18, 16);
        button->setFont(PixelFont(13, true));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        LetterButtons[i] = button;
    }
    FromSpeedButton = Place(new ListChoiceButton(FindPanel), "FromSpeedButton", 46, 92, 36, 16);
    ToSpeedButton = Place(new ListChoiceButton(FindPanel), "ToSpeedButton", 86, 92, 36, 16);
    auto* target = new QButtonGroup(this);
    for (QToolButton* b : {FromSpeedButton, ToSpeedButton}) {
        b->setCheckable(true);
        b->setFont(PixelFont(11));
        b->setFocusPolicy(Qt::NoFocus);
        target->addButton(b);
    }
    target->setExclusive(true);
    FromSpeedButton->setChecked(true);

    // Currency lists.
    StaticText4 = Text(body, "StaticText4", QString(), 16, 248, PixelFont(14));
    // The lists end with the panels above them; the Graphs button sits beside.
    FromComboBox = Place(new QComboBox(body), "FromComboBox", 112, 242, 409, 26);
    StaticText1 = Text(body, "StaticText1", QString(), 16, 280, PixelFont(14));
    ToComboBox = Place(new QComboBox(body), "ToComboBox", 112, 274, 409, 26);
    // Their captions' access keys lead to them.
    StaticText4->setBuddy(FromComboBox);
    StaticText1->setBuddy(ToComboBox);
    auto* listStyle = new BoundedPopupStyle(style()->name());
    listStyle->setParent(this);
    for (QComboBox* list : {FromComboBox, ToComboBox}) {
        list->setFont(PixelFont(16, true));
        list->setMaxVisibleItems(20);
        list->setStyle(listStyle);
        // The scroll bar was switched off for the style's own popup.
        list->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

    // Right column: language, grids, options.
    RadioGroup = Place(new QGroupBox(body), "RadioGroup", 528, 10, 76, 56);
    RadioGroup->setFont(PixelFont(11));
    auto* languages = new QButtonGroup(RadioGroup);
    // Each language named in itself, whatever the language in use.
    const QString items[2] = {QStringLiteral("E&nglish"), QStringLiteral("F&ran\u00e7ais")};
    for (int i = 0; i < 2; ++i) {
        RadioItems[i] = new QRadioButton(items[i], RadioGroup);
        RadioItems[i]->setObjectName(i == 0 ? QStringLiteral("EnglishItem")
                                            : QStringLiteral("FrancaisItem"));
        RadioItems[i]->setGeometry(6, 8 + i * 22, 68, 20);
        languages->addButton(RadioItems[i], i);
    }
    RadioItems[0]->setChecked(true);
    connect(languages, &QButtonGroup::idClicked, this, &TKestrumForm::RadioGroupClick);

    GroupBox = Place(new QGroupBox(body), "GroupBox", 528, 72, 76, 97);
    CanGridButton = Place(new FocusMarkedButton(GroupBox), "CanGridButton", 11, 26, 50, 28);
    USGridButton = Place(new FocusMarkedButton(GroupBox), "USGridButton", 11, 58, 50, 28);
    for (QPushButton* b : {CanGridButton, USGridButton})
        b->setFlat(true);

    dxButton1 = Place(new QToolButton(body), "dxButton1", 528, 187, 76, 42);
    dxButton1->setIcon(OptionsGlyph());
    dxButton1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    dxButton1->setAutoRaise(true);
    dxButton2 = Place(new QToolButton(body), "dxButton2", 528, 250, 76, 42);
    dxButton2->setIcon(GraphsGlyph());
    dxButton2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    dxButton2->setAutoRaise(true);
    dxButton2->setEnabled(false);
    for (QToolButton* b : {dxButton1, dxButton2}) {
        // Wide enough for "Graphiques" to the window's edge.
        b->setFont(PixelFont(14));
        b->setGeometry(524, b->y(), 92, b->height());
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, blue);
        b->setPalette(p);
    }

    // Bottom band: the data date.
    Panel3 = Panel(this, "Panel3", 0, 428 - 44, 622, 44, true);
    DownloadButton = Place(new FocusMarkedButton(Panel3), "DownloadButton", 16, 8, 81, 28);
    DownloadButton->setFlat(true);
    DownloadButton->setEnabled(false);
    // Both lines clear the band's sunken frame, descenders included.
    StaticText2 = Text(Panel3, "StaticText2", QString(), 136, 5, PixelFont(16, true), blue);
    DataDateLabel = Text(Panel3, "DataDateLabel", QString(), 288, 5, PixelFont(16, true), blue);
    DataDateLabel->setFixedWidth(622 - 288 - 8);
    RateOriginLabel = Text(Panel3, "RateOriginLabel", QString(), 136, 25, PixelFont(10), blue);
    RateOriginLabel->setFixedSize(622 - 136 - 8, 14);

    DownloadTimer = new QTimer(this);
    DownloadTimer->setObjectName(QStringLiteral("DownloadTimer"));
    DownloadTimer->setInterval(50);
    ClockTimer = new QTimer(this);
    ClockTimer->setObjectName(QStringLiteral("ClockTimer"));
    ClockTimer->setInterval(10000);

    QWidget* const chain[] = {SourceEdit,    FromComboBox, ToComboBox,    PercentCheckBox,
                              CashRateEdit,  BitBtn2,      RadioItems[0], RadioItems[1],
                              CanGridButton, USGridButton, dxButton1,     dxButton2,
                              DownloadButton};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // Placed before start-up, so its messages centre on where it will show.
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kestrum
