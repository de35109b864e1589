#pragma once

#include <QColor>
#include <QMargins>
#include <QSize>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dsp {

// A skin attribute or attribute list the binding cannot use; the message
// names the attribute and says what was expected.
class AttributeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using AttributeList = std::vector<std::pair<std::string, std::string>>;

// `name="value" other='value'` as written in attribute lists; throws
// AttributeError on a malformed list.
AttributeList ParseAttributeList(std::string_view text);

// Value parsers for skin attributes; each throws AttributeError naming
// `attribute` when the text does not fit.
int ParseInt(std::string_view attribute, std::string_view text);
// A decimal number such as "-135" or "0.1".
double ParseDouble(std::string_view attribute, std::string_view text);
bool ParseBool(std::string_view attribute, std::string_view text);
// "#AARRGGBB", or "#RRGGBB" for an opaque colour.
QColor ParseColor(std::string_view attribute, std::string_view text);
// "left,top,right,bottom", or one number for all four sides.
QMargins ParseMargins(std::string_view attribute, std::string_view text);
// "width,height".
QSize ParseSize(std::string_view attribute, std::string_view text);
// "left|center|right" and/or "top|vcenter|bottom", separated by commas or blanks.
Qt::Alignment ParseAlignment(std::string_view attribute, std::string_view text);

}  // namespace dsp
