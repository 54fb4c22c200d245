#pragma once

#include <QProxyStyle>

namespace kestrum {

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
