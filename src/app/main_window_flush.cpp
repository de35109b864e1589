// Edits made just before the window closes or the port changes: their
// writes are still scheduled (a timer 100 ms after the last change) or in
// the link's send queue, and both would be dropped with the port.
#include <utility>

#include "app/main_window.h"
#include "dialogs/wait_dialog.h"
#include "model/write_id.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

// Edits still on their way are sent waiting at most this long, behind a
// wait dialog after a while.
constexpr int kFlushLimitMs = 3000;
constexpr int kFlushDialogAfterMs = 300;
constexpr int kFlushCheckMs = 20;

}  // namespace

void MainWindow::SendPendingEdits() {
  if (!link_->IsOpen()) return;
  SendScheduledWrites();
  WaitForSendQueue();
}

void MainWindow::ScheduleWrite(WriteId id, int delay_ms) {
  scheduled_writes_.insert(id.Value());
  SetTimer(id.Value(), delay_ms);
}

// Each scheduled write goes out now, with the record's values of this moment,
// as its timer would have sent it.
void MainWindow::SendScheduledWrites() {
  const std::set<std::uint32_t> scheduled = std::exchange(scheduled_writes_, {});
  for (const std::uint32_t id : scheduled) {
    if (HasTimer(id)) OnTimerMessage(id, 0);
  }
}

// The queue drains on the link's own thread; a timer looks at it, so that
// the wait needs no events of its own and ends at the limit whatever the
// link does. The level poll needs no pause: it sends nothing while the link
// is busy, so it cannot keep the queue from emptying.
void MainWindow::WaitForSendQueue() {
  if (link_->IsSendQueueEmpty()) return;
  Clock& clock = Toolkit::GetClock();
  flush_started_ms_ = clock.NowMs();
  flush_done_ = false;
  SetTimer(timer::kFlush, kFlushCheckMs);
  clock.RunUntil([&] { return flush_done_ || clock.NowMs() - flush_started_ms_ >= kFlushDialogAfterMs; });
  if (!flush_done_) {
    WaitDialog dialog(0, Pick(language_, text::kSendingChanges), &flush_done_);
    RunWaitDialog(dialog, *this, Pick(language_, text::kSendingChanges));
  }
  KillTimer(timer::kFlush);
  flush_done_ = true;
}

void MainWindow::OnFlushTimer(std::uint32_t) {
  const bool out_of_time = Toolkit::GetClock().NowMs() - flush_started_ms_ >= kFlushLimitMs;
  if (link_->IsSendQueueEmpty() || out_of_time) {
    flush_done_ = true;
    KillTimer(timer::kFlush);
  }
}

}  // namespace dsp
