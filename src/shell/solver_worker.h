#pragma once
// One solver search at a time on a thread of its own, so that the window never waits for it. The
// search's answer runs on the window's thread, unless the search was cancelled or replaced first.
#include <QObject>
#include <atomic>
#include <functional>
#include <thread>

namespace shell {

class SolverWorker : public QObject {
 public:
  using Answer = std::function<void()>;  // runs on the thread of this object
  // Runs on the worker thread and returns soon after `cancel` turns true.
  using Search = std::function<Answer(const std::atomic<bool>& cancel)>;

  explicit SolverWorker(QObject* parent = nullptr) : QObject(parent) {}
  ~SolverWorker() override { cancel(); }

  // Cancels the search before, then starts `search`.
  void start(Search search);
  // Stops the search (it returns at once) and drops its answer.
  void cancel();
  bool busy() const { return busy_; }

 private:
  std::thread thread_;
  std::atomic<bool> cancel_{false};
  unsigned generation_ = 0;  // the search whose answer is awaited; changed on this thread only
  bool busy_ = false;
};

}  // namespace shell
