// Running a few jobs at once: the report's tables and its row matching are
// split over as many threads as the jobs asked for, for the length of one
// call.
#pragma once

#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace wus {

// Runs job(i) for every i in [0, count) at once, job 0 on the calling
// thread and every other on a thread of its own, and returns when all have
// returned. If jobs throw, rethrows the exception of the lowest i among
// them once all have finished.
template <typename Job>
void RunSideBySide(std::size_t count, Job&& job) {
  std::vector<std::exception_ptr> errors(count);
  auto run = [&job, &errors](std::size_t i) {
    try {
      job(i);
    } catch (...) {
      errors[i] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> helpers;  // joined on the way out, whatever happens
    helpers.reserve(count > 0 ? count - 1 : 0);
    for (std::size_t i = 1; i < count; ++i) helpers.emplace_back(run, i);
    if (count > 0) run(0);
  }
  for (const std::exception_ptr& error : errors) {
    if (error) std::rethrow_exception(error);
  }
}

}  // namespace wus
