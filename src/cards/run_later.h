#pragma once
// Work for a worker thread of the global pool, with its result as a future.
#include <QFuture>
#include <QPromise>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <type_traits>

namespace cards {

// Runs `work(stopped)` on the global thread pool. `stopped()` tells whether the future was
// cancelled meanwhile, so that long work can give up; work whose future is cancelled before it
// starts does not run. The task keeps its own copies of what it needs, so whoever asked may be
// gone when it ends.
template <typename Work>
auto runLater(Work work) {
  using Stopped = std::function<bool()>;
  using Result = std::invoke_result_t<Work&, const Stopped&>;
  const auto promise = std::make_shared<QPromise<Result>>();
  QFuture<Result> future = promise->future();
  promise->start();
  QThreadPool::globalInstance()->start([work = std::move(work), promise]() mutable {
    const Stopped stopped = [&promise] { return promise->isCanceled(); };
    if (!stopped()) {
      if constexpr (std::is_void_v<Result>)
        work(stopped);
      else
        promise->addResult(work(stopped));
    }
    promise->finish();
  });
  return future;
}

}  // namespace cards
