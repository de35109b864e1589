#include "app/file_texts.h"

namespace dsp {

std::string FileProblemText(Language language, const FileResult& result, const std::string& path) {
  if (language == Language::kEnglish) return result.message;
  switch (result.error) {
    case FileError::kCannotWrite: return "无法写入 " + path + "：请检查文件夹是否可写、磁盘是否已满。";
    case FileError::kNotParameterFile: return path + " 不是参数文件，设备参数未改变。";
    case FileError::kBadSyntax: return path + " 中有无法识别的行。";
    case FileError::kValueOutOfRange: return path + " 中的 " + result.item + " 超出范围，设备参数未改变。";
    case FileError::kCannotRead:
    case FileError::kNone: break;
  }
  return "无法读取 " + path + "：请检查文件是否存在且可读。";
}

namespace {

std::string ChineseValueName(const std::string& name) {
  if (name == "frequency") return "频率";
  if (name == "gain") return "增益";
  return name;
}

std::string ChineseImportProblem(const EqImportError& error) {
  switch (error.problem) {
    case EqImportProblem::kNoStateOrType: return "滤波器行在 \"Filter N:\" 之后缺少状态和类型";
    case EqImportProblem::kNeitherOnNorOff: return "滤波器状态既不是 ON 也不是 OFF";
    case EqImportProblem::kUnknownType:
      return "无法导入滤波器类型 \"" + error.word + "\"（只能导入 PK、LS 和 HS）";
    case EqImportProblem::kNotANumber: return ChineseValueName(error.name) + " \"" + error.word + "\" 不是数字";
    case EqImportProblem::kOutOfRange:
      return ChineseValueName(error.name) + " " + error.word + " 超出范围 " + error.limits;
    case EqImportProblem::kPeakingIncomplete: return "峰值滤波器需要 Fc、Gain 和 Q";
    case EqImportProblem::kShelfIncomplete: return "搁架滤波器需要 Fc 和 Gain";
    case EqImportProblem::kTooManyFilters:
      return "滤波器数量超过一个通道的 " + std::to_string(error.max_bands) + " 个频段";
  }
  return {};
}

}  // namespace

std::string EqImportProblemText(Language language, const FileResult& result,
                                const std::optional<EqImportError>& refusal, const std::string& path) {
  if (language == Language::kEnglish || !refusal) return FileProblemText(language, result, path);
  return path + "，第 " + std::to_string(refusal->line) + " 行：" + ChineseImportProblem(*refusal) +
         "；未导入任何内容。";
}

}  // namespace dsp
