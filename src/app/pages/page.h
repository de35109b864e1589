#pragma once

// A part of the main window with its own behaviour: a page of the editing
// area (or a family of two pages that are the same code on the two sides),
// or the overview's channel strips. It registers the notifications of its
// controls and refreshes them from the selected record; everything else it
// needs goes through its WindowContext.

#include <string>
#include <string_view>

#include "app/notify_registry.h"
#include "app/window_context.h"
#include "platform/window.h"

namespace dsp {

class Page {
 public:
  explicit Page(WindowContext& context) : context_(context) {}
  virtual ~Page() = default;
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  virtual void Register(NotifyRegistry& registry) = 0;
  // Shows the selected record; `argument` is the channel the page shows,
  // or the side for a page that shows a whole side.
  virtual void Refresh(int argument) = 0;

 protected:
  // The record a handler changes. Losing the focus never asks for a
  // processor (the question takes the focus itself); every other event
  // does, when processors are listed and none is selected.
  DeviceRecord* RecordFor(const Notification& notification) const;

  template <class T>
  T* Find(std::string_view name) const {
    return context_.Host().Find<T>(name);
  }
  void SetText(std::string_view name, const std::string& text) const;
  // Check boxes and sliders are set without raising their notifications.
  void SetCheck(std::string_view name, bool on) const;
  void SetSliderValue(std::string_view name, int value) const;
  // A slider's range, or `fallback` when the skin has no such slider.
  std::pair<int, int> SliderRange(std::string_view name, std::pair<int, int> fallback) const;
  int SliderStep(std::string_view name, int fallback) const;
  void SetTitle(std::string_view label, const BilingualText& title, int channel) const;
  // A control whose value the processor has no place for: it shows the
  // stored value but cannot be changed, and its tooltip says why.
  void ShowNotTaken(std::string_view name) const;

  WindowContext& context_;
};

}  // namespace dsp
