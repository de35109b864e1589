#pragma once

// The user-visible texts of the main window in both languages (those its
// dialogs show too are in language/common_texts.h).

#include <string>

#include "language/common_texts.h"
#include "language/language.h"

namespace dsp {

namespace text {
inline constexpr BilingualText kSelectDevice{"Please select a device !", "请先选择一个设备！"};
inline constexpr BilingualText kNoPort{"Нет UART устройства", "无可用串口"};
inline constexpr BilingualText kRescan{"Rescran ?", "重新扫描？"};
inline constexpr BilingualText kScanAfterSettings{"Сканировать", "是否重新扫描 ？"};
inline constexpr BilingualText kScanning{"Scanning...", "扫描中..."};
inline constexpr BilingualText kScanCutShort{
    "Found %d processor(s), but the scan time ran out while processors were still answering. Set the scan time "
    "to %d ms in the settings and scan again to find the rest.",
    "已找到 %d 台设备，但扫描时间用完时仍有设备在应答。请在设置中将扫描时间设为 %d 毫秒后重新扫描，以找到其余设备。"};
inline constexpr BilingualText kSynchronising{"Synchronize from device...", "从设备读取数据中..."};
inline constexpr BilingualText kSynchroniseFailed{"Synchronize from device fail", "从下位机同步数据失败"};
inline constexpr BilingualText kNameTooLong{"Exceeding the maximum length(20)", "超过度大长度20"};
inline constexpr BilingualText kSendingChanges{"Sending the last changes...", "正在发送最后的修改..."};
inline constexpr BilingualText kPortOpenFailed{"Cannot use ", "无法使用 "};
inline constexpr BilingualText kUsePort{"Use %s ?", "是否使用%s?"};

inline constexpr BilingualText kNoDevice{"Не поключен", "无可用设备"};
inline constexpr BilingualText kSelectADevice{"Select a device", "请选择一个设备"};
inline constexpr BilingualText kSynchronisingTo{"Synchronize to device...", "将数据同步到设备..."};
inline constexpr BilingualText kRestoring{"Restoring...", "正在恢复出厂设置..."};
inline constexpr BilingualText kReadingEffects{"Reading Effects...", "正在保存音效..."};
inline constexpr BilingualText kReadingEffectsStart{"Reading Effects(0%)", "正在保存音效(0%)"};
inline constexpr BilingualText kSavingEffects{"Saving Effects(%d%%)", "正在保存音效(%d%%)"};
inline constexpr BilingualText kCreateFileFail{"Create file fail", "生成文件失败"};
inline constexpr BilingualText kNoEffectMemory{
    "The effect memory size is not configured (config_effects): nothing was read.",
    "未配置音效存储大小 (config_effects)，未读取任何数据。"};
inline constexpr BilingualText kInvalidSource{"Invalid Source", "无效的源设备"};
inline constexpr BilingualText kNoValidTarget{"Have None valid Target", "无有效的目标设备"};
inline constexpr BilingualText kSyncSourceFirst{"Synchronize From Device First", "先同步源设备"};
inline constexpr BilingualText kFilterLists{"Filter lists (*.txt)", "滤波器列表(*.txt)"};

inline constexpr BilingualText kBackupFolder{"Back up the installation into a folder", "选择备份整套系统的文件夹"};
inline constexpr BilingualText kRestoreFolder{"Restore the installation from a folder", "选择要恢复的备份文件夹"};
inline constexpr BilingualText kBackingUp{"Backing up %s (%d of %d)...", "正在备份 %s (%d/%d)..."};
inline constexpr BilingualText kRestoringUnit{"Restoring %s (%d of %d)...", "正在恢复 %s (%d/%d)..."};
inline constexpr BilingualText kBackupSummary{"Saved the installation to %s: %d of %d processors.",
                                              "已备份到 %s：%d/%d 台设备。"};
inline constexpr BilingualText kNotBackedUp{"\nNot backed up (they did not answer):", "\n未备份（无应答）："};
inline constexpr BilingualText kRestoreSummary{"Restore finished:", "恢复完成："};
inline constexpr BilingualText kUnitRestored{"restored", "已恢复"};
inline constexpr BilingualText kUnitCountsDiffer{"refused: other channel counts than the backup",
                                                 "已拒绝：通道数与备份不同"};
inline constexpr BilingualText kUnitNotOnBus{"not found on the bus", "未在总线上找到"};
inline constexpr BilingualText kUnitNotInBackup{"not in the backup", "不在备份中"};

inline constexpr BilingualText kInputTitle{"Input - IN %c", "输入 - IN %c"};
inline constexpr BilingualText kNoiseGateTitle{"Noise Gate - IN %c", "噪声门 - IN %c"};
inline constexpr BilingualText kInputEqTitle{"Equalizer - IN %c", "均衡器 - IN %c"};
inline constexpr BilingualText kOutputTitle{"OUTPUT - OUT %c", "输出 - OUT %c"};
inline constexpr BilingualText kOutputEqTitle{"Crossover - OUT %c", "分频器 - OUT %c"};
inline constexpr BilingualText kCompressorTitle{"Compressor - OUT %c", "压缩器 - OUT %c"};
inline constexpr BilingualText kLimiterTitle{"Limiter - OUT %c", "限幅器 - OUT %c"};
inline constexpr BilingualText kEnergyTitle{"Energy", "电平"};
// The tooltip of a control whose value the processor has no place for.
inline constexpr BilingualText kNotTaken{
    "The processor does not take this setting: it is only kept in the parameter file.",
    "处理器不接收此设置：它只保存在参数文件中。"};
// The selected equaliser band's switch.
inline constexpr BilingualText kBandOn{"ON", "开"};
inline constexpr BilingualText kBandOff{"OFF", "关"};
}  // namespace text

// The question asked when a serial port appears.
std::string UsePortQuestion(Language language, const std::string& port);

// A page title such as "Input - IN %c" with the channel's letter.
std::string ChannelTitle(Language language, const BilingualText& title, int channel);

}  // namespace dsp
