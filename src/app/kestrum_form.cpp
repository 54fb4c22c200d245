#include "kestrum_form.h"

namespace kestrum {

TKestrumForm::TKestrumForm(QWidget* parent) : QWidget(parent) {}

} // namespace kestrum
