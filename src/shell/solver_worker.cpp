#include "shell/solver_worker.h"

namespace shell {

void SolverWorker::start(Search search) {
  cancel();
  cancel_ = false;
  busy_ = true;
  const unsigned generation = generation_;
  thread_ = std::thread([this, search = std::move(search), generation] {
    Answer answer = search(cancel_);
    QMetaObject::invokeMethod(
        this,
        [this, answer = std::move(answer), generation] {
          if (generation != generation_) return;  // cancelled or replaced meanwhile
          busy_ = false;
          answer();
        },
        Qt::QueuedConnection);
  });
}

void SolverWorker::cancel() {
  ++generation_;
  busy_ = false;
  cancel_ = true;
  if (thread_.joinable()) thread_.join();
}

}  // namespace shell
