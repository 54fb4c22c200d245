#include "cash_rate_form.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace kestrum {

namespace {

// The largest bold pixel size, 16 at most, at which every line fits the box
// whole: the fonts a platform has can be wider than the ones the box was
// drawn for.
QFont FittingFont(QFont font, const QStringList& lines, QSize box, int margin) {
    for (int pixels = 16; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        // One more pixel for the caret at a line's end.
        const int height = static_cast<int>(lines.size()) * metrics.lineSpacing();
        if (widest + 2 * margin + 1 <= box.width() && height + 2 * margin <= box.height())
            break;
    }
    return font;
}

} // namespace

TCashRateForm::TCashRateForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CashRateForm"));
    setWindowTitle(tr("Cash Rate"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(414, 348);
    QFont font;
    font.setPixelSize(16);
    font.setBold(true);
    setFont(font);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    setPalette(palette);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setGeometry(8, 16, 401, 241);
    Memo->setReadOnly(true);
    Memo->setFrameShape(QFrame::NoFrame);
    Memo->setFocusPolicy(Qt::NoFocus);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setPlainText(Lines().join(QLatin1Char('\n')));
    Memo->setAccessibleName(tr("What the cash rate is"));
    Memo->setFont(FittingFont(font, Lines(), Memo->size(),
                              static_cast<int>(std::ceil(Memo->document()->documentMargin()))));

    Button1 = new QPushButton(tr("&Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(152, 272, 121, 49);
    Button1->setCursor(Qt::PointingHandCursor);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
}

// One paragraph, broken where the box would break it in each language.
QStringList TCashRateForm::Lines() {
    return tr("The nominal rate is the current rate of exchange\n"
              "for a currency.  However your bank or financial\n"
              "institution will charge a fee when exchanging\n"
              "currencies, and the amount you actually receive is\n"
              "referred to as the Cash Rate.  This fee averages\n"
              "around 4 percent.  If the Cash Rate checkbox is\n"
              "checked the program will base its calculations\n"
              "upon the percentage entered into the Cash Rate\n"
              "box which defaults to 4 percent.  If you know your\n"
              "discount rate, you can enter it into the program\n"
              "using the edit box.")
        .split(QLatin1Char('\n'));
}

void TCashRateForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Button1->setFocus();
}

} // namespace kestrum
