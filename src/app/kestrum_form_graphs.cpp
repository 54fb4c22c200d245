// The main window's Graphs button and the window it keeps pointed at the pair.
#include "kestrum_form.h"

#include "data/catalogue.h"
#include "data/cp1252.h"

#include <QComboBox>
#include <QShortcut>
#include <QToolButton>

namespace kestrum {

namespace {

GraphsWindowMaker g_graphsWindowMaker = nullptr;

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
    }
    QWidget* const window = m_graphsWidget;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace kestrum
