#pragma once

#include <QImage>
#include <string>

class QWidget;

namespace dsp {

// Renders `widget` (a whole window or one control) as it looks now.
QImage Capture(QWidget* widget);

// Writes the rendering of `widget` to a PNG file. Returns an error text for
// the user, empty on success.
std::string SaveScreenshot(QWidget* widget, const std::string& path);

// How many different colours an image has: a blank rendering has one.
int DistinctColours(const QImage& image);

}  // namespace dsp
