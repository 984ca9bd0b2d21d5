#include "ui/widgets/TMMSlider.h"

namespace marnova {

TMMSlider::TMMSlider(QWidget* parent) : TMMCustomSlider(parent) {}

}  // namespace marnova
