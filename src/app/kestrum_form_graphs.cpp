// The main window's Graphs button and the window it keeps pointed at the pair.
#include "kestrum_form.h"

#include "data/catalogue.h"
#include "data/cp1252.h"

#include <QComboBox>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>

namespace kestrum {

namespace {

GraphsWindowMaker g_graphsWindowMaker = nullptr;

// Beside the calculator, on the side with more room (narrowed to it when
// that leaves a usable chart), and wholly on its
// screen: where the window manager puts a new window can be partly off it.
void PlaceBeside(QWidget* window, const QWidget* calculator) {
    const QScreen* screen = calculator->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect owner = calculator->frameGeometry();
    constexpr int kGap = 8;
    // A chart narrower than this is not worth keeping the calculator clear.
    constexpr int kNarrowest = 560;
    const int rightRoom = area.right() - owner.right() - kGap;
    const int leftRoom = owner.left() - kGap - area.left();
    const bool onRight = rightRoom >= leftRoom;
    const int room = std::max(rightRoom, leftRoom);
    const QSize frame = window->frameGeometry().size().expandedTo(window->size());
    QSize fitted = frame.boundedTo(area.size());
    if (fitted.width() > room && room >= kNarrowest)
        fitted.setWidth(room);
    if (fitted != frame)
        window->resize(window->size() - (frame - fitted));
    fitted = window->frameGeometry().size().expandedTo(window->size());
    int x = onRight ? owner.right() + kGap + 1 : owner.left() - kGap - fitted.width();
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - fitted.width()));
    const int y = std::clamp(owner.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - fitted.height()));
    window->move(x, y);
}

} // namespace

void SetGraphsWindowMaker(GraphsWindowMaker maker) {
    g_graphsWindowMaker = maker;
}

void TKestrumForm::ConnectGraphsButton() {
    connect(dxButton2, &QToolButton::clicked, this, &TKestrumForm::dxButton2Click);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    connect(shortcut, &QShortcut::activated, this, &TKestrumForm::dxButton2Click);
    // Refilling the lists for another language changes both selections too.
    for (QComboBox* list : {FromComboBox, ToComboBox})
        connect(list, &QComboBox::currentIndexChanged, this, &TKestrumForm::GraphsFollowSelection);
    GraphsFollowSelection();
}

void TKestrumForm::GraphsFollowSelection() {
    const bool both = FromComboBox->currentIndex() >= 0 && ToComboBox->currentIndex() >= 0;
    dxButton2->setEnabled(both);
    if (!both || !Graphs())
        return;
    const int language = ShownLanguage();
    const int from = FindCurrencyIndex(ToCp1252(FromComboBox->currentText()), language);
    const int to = FindCurrencyIndex(ToCp1252(ToComboBox->currentText()), language);
    if (from >= 0 && to >= 0)
        m_graphs->ShowPair(from, to, language);
}

void TKestrumForm::dxButton2Click() {
    if (!dxButton2->isEnabled())
        return;
    if (!Graphs()) {
        m_graphs = g_graphsWindowMaker ? g_graphsWindowMaker(this) : nullptr;
        if (!m_graphs)
            return;
        m_graphsWidget = m_graphs->Widget();
        GraphsFollowSelection();
        PlaceBeside(m_graphsWidget, this);
    }
    QWidget* const window = m_graphsWidget;
    const bool first = !window->isVisible() && !window->property("placed").toBool();
    window->show();
    // Again once shown, now that its frame is known.
    if (first) {
        window->setProperty("placed", true);
        PlaceBeside(window, this);
    }
    window->raise();
    window->activateWindow();
}

} // namespace kestrum
