#include "platform/state_images.h"

#include <QPainter>

namespace dsp {

void StateImages::Set(State state, std::string_view name) {
  names_[Index(state)] = name;
  images_[Index(state)] = LoadSkinImage(name);
}

bool StateImages::Any() const {
  for (const SkinImage& image : images_) {
    if (!image.IsNull()) return true;
  }
  return false;
}

const SkinImage& StateImages::For(const QAbstractButton& button) const {
  State state = State::kNormal;
  if (!button.isEnabled()) state = State::kDisabled;
  else if (button.isDown()) state = State::kPushed;
  else if (button.underMouse()) state = State::kHot;
  const SkinImage& image = images_[Index(state)];
  return image.IsNull() ? images_[Index(State::kNormal)] : image;
}

void PaintButtonFace(QPainter& painter, const QAbstractButton& button, const SkinImage& image,
                     const QRect& area, Qt::Alignment alignment) {
  image.Paint(painter, area);
  if (button.text().isEmpty()) return;
  painter.setFont(button.font());
  const QPalette::ColorGroup group = button.isEnabled() ? QPalette::Active : QPalette::Disabled;
  painter.setPen(button.palette().color(group, QPalette::ButtonText));
  painter.drawText(area, static_cast<int>(alignment), button.text());
}

}  // namespace dsp
