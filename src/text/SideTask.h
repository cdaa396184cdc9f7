// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <exception>
#include <functional>
#include <thread>

// A share of some work done on a second thread while the caller does its
// own. Where no thread can be had (the address space is short), the share
// is done at once, on the caller's thread: the result is the same.
class CSideTask {
 public:
  explicit CSideTask(std::function<void()> work);
  // Waits for the work; what it threw is dropped (call Join to see it).
  ~CSideTask();
  CSideTask(const CSideTask&) = delete;
  CSideTask& operator=(const CSideTask&) = delete;

  // Waits for the work and rethrows what it threw.
  void Join();

 private:
  std::thread m_thread;
  std::exception_ptr m_failure;
};
