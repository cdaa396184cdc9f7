// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/SideTask.h"

#include <utility>

CSideTask::CSideTask(std::function<void()> work) {
  const auto run = [this](const std::function<void()>& share) {
    try {
      share();
    } catch (...) {
      m_failure = std::current_exception();
    }
  };
  try {
    m_thread = std::thread(run, work);
  } catch (const std::exception&) {
    run(work);
  }
}

CSideTask::~CSideTask() {
  if (m_thread.joinable()) m_thread.join();
}

void CSideTask::Join() {
  if (m_thread.joinable()) m_thread.join();
  if (m_failure) std::rethrow_exception(std::exchange(m_failure, nullptr));
}
