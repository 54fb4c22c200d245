#pragma once

#include <QWidget>

namespace kestrum {

class TKestrumForm : public QWidget {
    Q_OBJECT
public:
    explicit TKestrumForm(QWidget* parent = nullptr);
};

} // namespace kestrum
