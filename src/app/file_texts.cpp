#include "app/file_texts.h"

#include "app/texts.h"

namespace dsp {

std::string FileProblemText(int language, const FileResult& result, const std::string& path) {
  if (language == kEnglish) return result.message;
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

}  // namespace dsp
