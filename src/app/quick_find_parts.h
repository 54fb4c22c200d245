#pragma once

#include <QProxyStyle>
#include <QToolButton>

namespace kestrum {

// One of the two toggles that choose the list quick find acts on. The chosen
// one has to stand out at a glance: it is drawn in the highlight colour and
// bold, the other as a plain framed button.
class ListChoiceButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The style of a currency list: the widget's own style, except that the
// popup keeps to the list's visible-item limit. Some styles drop the limit
// and open a popup as tall as the screen.
class BoundedPopupStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace kestrum
