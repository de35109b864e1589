#pragma once

#include <QImage>

#include "skin_images/image_states.h"

namespace dsp {

// Dresses a drawn image for one state: plate, marker bar, tinted glyph.
QImage PaintState(const QImage& drawn, const ImageState& state);

}  // namespace dsp
