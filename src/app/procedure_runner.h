#pragma once

// The window's one long device procedure (read all, write all, effect image
// read) on its timer, mostly behind the wait dialog: the level poll pauses
// while it runs, the processor's status label in the tree says what it
// does, and its end is reported to the window. The procedure works on the
// processor it was started for, even when another one is selected
// meanwhile (a sync button, a preset recall for some address).

#include <cstdint>
#include <functional>
#include <string>

#include "app/level_poll_runner.h"
#include "link/bytes.h"
#include "model/device_list.h"
#include "platform/window.h"
#include "protocol/procedure_driver.h"
#include "protocol/procedure_host.h"

namespace dsp {

class ProcedureRunner : private ProcedureHost {
 public:
  static constexpr int kWaitMinimumMs = 100;
  // The looping bar of the menu's read-backs.
  static constexpr int kMenuBarRange = 100;

  using EndHandler = std::function<void(ProcedureEnd)>;

  // What the effect read shows, in the interface's language.
  struct EffectReadTexts {
    std::string first_status;     // the processor's label before the first block
    std::string dialog;           // the wait dialog's text
    std::string progress_format;  // the label as blocks arrive, "%d" the percentage
  };

  ProcedureRunner(Window& window, FrameLink& link, DeviceList& devices, const Configuration& config,
                  LevelPollRunner& level_poll, EndHandler on_end);

  // Starts a read-all with no dialog of its own (the preset dialog shows
  // one bound to DoneFlag()).
  void StartReadAll(int address, int start_delay_ms);
  // A read-all behind the wait dialog, `status` on the processor's label;
  // the record counts as synchronised only when the read completed.
  bool ReadAll(int address, int start_delay_ms, const std::string& status, int bar_range = -1);
  void WriteAll(int address, const std::string& status);
  // The processor's effect memory, `blocks` blocks, into `image`; the
  // dialog's bar shows the percentage read. False when the read failed.
  bool ReadEffects(int address, int blocks, Bytes& image, const EffectReadTexts& texts);

  void Tick();
  bool Running() const { return driver_.Running(); }
  const bool* DoneFlag() const { return &done_; }

 private:
  DeviceRecord* SelectedDevice() override { return FindDevice(devices_, address_); }
  void OnEffectData(ByteView data) override;
  void OnEffectProgress(int percent) override;

  void Begin(int address);
  void ShowWaitDialog(const std::string& text, int bar_range, const int* percent);
  void SetStatus(const std::string& text);

  Window& window_;
  DeviceList& devices_;
  ProcedureDriver driver_;
  LevelPollRunner& level_poll_;
  EndHandler on_end_;
  int address_ = -1;
  bool done_ = true;
  bool failed_ = false;
  Bytes* image_ = nullptr;
  int percent_ = 0;
  std::string progress_format_;
};

}  // namespace dsp
