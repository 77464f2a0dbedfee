// Reading files on worker threads and the caller's, merging them in order on
// the caller's.
#include "stats/load_files.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/platform.h"
#include "stats/loader.h"
#include "text/log.h"

namespace wus {
namespace {

// The state the workers and the merging thread share; every member is
// guarded by `mutex`.
class ReadAhead {
 public:
  ReadAhead(const std::vector<std::string>& paths, std::size_t window)
      : paths_(paths), slots_(window) {
    reading_.reserve(window);  // so that a reader never allocates under the lock
  }

  // Worker: reads files until none is left or Stop was called. The merge
  // is the longer job: a worker gives way to it for the processor.
  void Work(FileSystem& fileSystem) {
    LowerThreadPriority();
    std::unique_ptr<FileRecords> records;
    std::unique_lock lock(mutex_);
    while (true) {
      room_.wait(lock, [&] { return stopping_ || CanTakeNext(); });
      if (stopping_ || next_ == paths_.size()) return;
      ReadNext(lock, fileSystem, records);
      lock.unlock();
      ready_.notify_all();
      lock.lock();
    }
  }

  // Merging thread: waits for file `index`, which must be the one after the
  // last taken, and returns its records; rethrows the exception of its read.
  // Rather than wait, it reads the next file itself while it may, so that
  // it shares the reading with the workers instead of taking a processor
  // from them.
  std::unique_ptr<FileRecords> Take(std::size_t index, FileSystem& fileSystem) {
    std::unique_lock lock(mutex_);
    Slot& slot = slots_[index % slots_.size()];
    std::unique_ptr<FileRecords> records;
    while (!slot.ready) {
      if (next_ < paths_.size() && CanTakeNext()) {
        ReadNext(lock, fileSystem, records);
      } else {
        ready_.wait(lock);
      }
    }
    slot.ready = false;
    if (slot.error) std::rethrow_exception(std::exchange(slot.error, nullptr));
    return std::move(slot.records);
  }

  // Makes every worker return once its current file is read. The flag is
  // set under the mutex, so no worker can miss it between testing its
  // condition and waiting.
  void Stop() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    room_.notify_all();
  }

  // Merging thread: file `index` is merged; its slot is free again.
  void Done(std::size_t index, std::unique_ptr<FileRecords> records) {
    {
      std::lock_guard lock(mutex_);
      merged_ = index + 1;
      if (records) spare_.push_back(std::move(records));
    }
    room_.notify_all();
  }

 private:
  // Reads the next file, with `lock` held on entry and on return but not
  // while reading, into its slot, taking `records` (or a spare) for it; a
  // reader waiting for the same path may take its turn after.
  void ReadNext(std::unique_lock<std::mutex>& lock, FileSystem& fileSystem,
                std::unique_ptr<FileRecords>& records) {
    const std::size_t index = next_++;
    reading_.push_back(index);
    if (!records && !spare_.empty()) {
      records = std::move(spare_.back());
      spare_.pop_back();
    }
    lock.unlock();
    std::exception_ptr error;
    try {
      if (!records) records = std::make_unique<FileRecords>();
      ReadFileRecords(paths_[index], fileSystem, records.get());
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    Slot& slot = slots_[index % slots_.size()];
    slot.records = std::move(records);
    slot.error = error;
    slot.ready = true;
    reading_.erase(std::find(reading_.begin(), reading_.end(), index));
    room_.notify_all();  // a reader may wait for this path
  }

  struct Slot {
    std::unique_ptr<FileRecords> records;
    std::exception_ptr error;
    bool ready = false;
  };

  // True iff a reader may take the next path (or find that none is left):
  // its slot is free and no reader reads the same path.
  bool CanTakeNext() const {
    if (next_ == paths_.size()) return true;
    if (next_ >= merged_ + slots_.size()) return false;
    return std::none_of(reading_.begin(), reading_.end(),
                        [&](std::size_t i) { return paths_[i] == paths_[next_]; });
  }

  const std::vector<std::string>& paths_;
  std::mutex mutex_;
  std::condition_variable room_;   // a slot was freed, a read ended, or Stop
  std::condition_variable ready_;  // a file was read
  bool stopping_ = false;
  std::vector<Slot> slots_;                          // file i in slots_[i % size]
  std::size_t next_ = 0;                             // the next file to read
  std::size_t merged_ = 0;                           // the files merged so far
  std::vector<std::size_t> reading_;                 // files being read
  std::vector<std::unique_ptr<FileRecords>> spare_;  // merged, for reuse
};

}  // namespace

void LoadFiles(const std::vector<std::string>& paths, StatsAggregate& aggregate, unsigned jobs,
               FileSystem& fileSystem,
               const std::function<void(std::size_t, const LoadResult&)>& onLoaded) {
  if (paths.empty()) return;
  // The merging thread reads too, whenever it would otherwise wait.
  const std::size_t readers = std::min<std::size_t>(ThreadsForJobs(jobs), paths.size());
  const std::size_t workers = readers - 1;
  // Two files per reader: one being read while the other waits for the
  // merge. (More let the merge's memory grow with the files a little, for
  // no time saved.)
  ReadAhead readAhead(paths, 2 * readers);
  std::vector<std::jthread> threads;
  // Declared after readAhead and threads: on the way out (an exception from
  // the merge or from onLoaded included), every worker is told to stop, then
  // joined by the threads' destructors, before the shared state goes.
  struct StopAll {
    ReadAhead& readAhead;
    ~StopAll() { readAhead.Stop(); }
  } stopAll{readAhead};
  threads.reserve(workers);
  for (std::size_t i = 0; i < workers; ++i) {
    threads.emplace_back([&readAhead, &fileSystem] { readAhead.Work(fileSystem); });
  }
  for (std::size_t i = 0; i < paths.size(); ++i) {
    std::unique_ptr<FileRecords> records = readAhead.Take(i, fileSystem);
    // The echo ends no line: the trace's first line continues it.
    ConsoleEcho(paths[i]);
    ConsoleEcho(" ");
    LoadResult result = MergeFileRecords(paths[i], *records, aggregate);
    readAhead.Done(i, std::move(records));
    onLoaded(i, result);
  }
}

}  // namespace wus
