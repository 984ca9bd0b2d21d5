#pragma once
// The slider kind the window descriptions place; all behaviour and
// properties come from TMMCustomSlider.

#include "ui/widgets/TMMCustomSlider.h"

namespace marnova {

class TMMSlider : public TMMCustomSlider {
  Q_OBJECT

 public:
  explicit TMMSlider(QWidget* parent = nullptr);
};

}  // namespace marnova
