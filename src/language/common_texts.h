#pragma once

// The texts the main window and its dialogs both show: the captions of the
// message boxes and the preset dialog's waits.

#include "language/language.h"

namespace dsp::text {

inline constexpr BilingualText kTips{"Tips", "提示"};
inline constexpr BilingualText kWarning{"Warning", "警告"};
inline constexpr BilingualText kComfirm{"Comfirm", "确认"};
inline constexpr BilingualText kQuestion{"Question", "询问"};

inline constexpr BilingualText kLoadingEffect{"Loading effect...", "加载音效中..."};
inline constexpr BilingualText kSaving{"Saving...", "保存中..."};

}  // namespace dsp::text
