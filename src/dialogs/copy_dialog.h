#pragma once

// Choosing a source processor and the processors to copy its parameters
// to. The dialog only collects the choice; the caller checks it and writes.
// ShowModal gives 1 when confirmed, 2 when closed.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "language/language.h"
#include "model/device_list.h"
#include "platform/window.h"

namespace dsp {

class CopyDialog : public Window {
 public:
  CopyDialog(const DeviceList& devices, Language language);

  std::string SkinFile() const override { return "view/CopyDialog.xml"; }
  std::string ClassName() const override { return "CopyDialog"; }
  void Notify(Notification& notification) override;

  // After a confirmation: the source's address (-1 without processors)
  // and every checked row's address (the source's own may be among them).
  int Source() const { return source_; }
  const std::set<int>& Destinations() const { return destinations_; }

 private:
  void OnInit();
  void ShowSource(int index);
  void Confirm();

  struct Entry {
    int address;
    std::string chip_id;
    std::string alias;
  };
  std::vector<Entry> entries_;
  Language language_;
  int source_ = -1;
  std::set<int> destinations_;
};

}  // namespace dsp
