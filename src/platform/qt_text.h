#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace dsp {

// The binding's interface speaks UTF-8 std::string; Qt speaks QString.
inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStd(const QString& text) { return text.toStdString(); }

}  // namespace dsp
