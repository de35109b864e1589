#pragma once

#include <QAbstractButton>
#include <string>
#include <string_view>

#include "platform/skin_image.h"

class QPainter;

namespace dsp {

// The images a skinned button shows in its states. A button with none of
// them is drawn by the Qt style.
class StateImages {
 public:
  enum class State { kNormal, kHot, kPushed, kDisabled };

  void Set(State state, std::string_view name);
  const std::string& Name(State state) const { return names_[Index(state)]; }
  bool Any() const;
  // The image for how `button` looks now, falling back to the normal image.
  const SkinImage& For(const QAbstractButton& button) const;

 private:
  static std::size_t Index(State state) { return static_cast<std::size_t>(state); }
  std::string names_[4];
  SkinImage images_[4];
};

// Draws a skinned button face: background colour or state image stretched
// over `area`, then the text in the widget's font and text colour.
void PaintButtonFace(QPainter& painter, const QAbstractButton& button, const SkinImage& image,
                     const QRect& area, Qt::Alignment alignment);

}  // namespace dsp
