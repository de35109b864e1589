#pragma once

#include "platform/skin_element.h"

namespace dsp {

// Replaces every <Repeat count="N" var="i"> block below `root` by N copies of
// its children. In the attribute values of a copy, {i} becomes the index
// 0..N-1, {i:n} the index + 1, {i:a} the letter a.., {i:A} the letter A..;
// "{{" stands for a literal "{". Repeats nest with distinct variable names.
// Throws SkinError for a malformed block or an unknown variable.
void ExpandRepeats(SkinElement& root);

}  // namespace dsp
