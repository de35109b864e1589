#pragma once

// Between the drawn controls' plain pixel numbers and Qt's.

#include <QPoint>
#include <QRect>

#include "controls/dynamics_geometry.h"

namespace dsp {

inline PixelRect ToPixelRect(const QRect& rect) {
  return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

inline QRect ToQRect(const PixelRect& rect) { return {rect.left, rect.top, rect.Width(), rect.Height()}; }

inline CurvePoint ToCurvePoint(const QPoint& point) { return {point.x(), point.y()}; }

inline QPoint ToQPoint(const CurvePoint& point) { return {point.x, point.y}; }

}  // namespace dsp
