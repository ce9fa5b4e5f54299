// The installation's steps on a thread of their own (see InstallThread.h).
#include "InstallThread.h"

namespace velm {

InstallThread::InstallThread(Installation& installation, Until until)
    : installation_(installation), until_(until) {
  InitializeCriticalSection(&lock_);
  progress_.total = installation_.bytesTotal();
  DWORD id = 0;
  thread_ = CreateThread(nullptr, 0, &InstallThread::Run, this, 0, &id);
}

InstallThread::~InstallThread() {
  if (thread_) {
    // Left while it still runs (the caller raised): the installation stops and takes back.
    if (WaitForSingleObject(thread_, 0) != WAIT_OBJECT_0) cancel();
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  DeleteCriticalSection(&lock_);
}

DWORD WINAPI InstallThread::Run(LPVOID self) {
  InstallThread& steps = *static_cast<InstallThread*>(self);
  while (steps.step()) {
  }
  return 0;
}

bool InstallThread::step() {
  if ((installation_.*until_)()) return false;
  const bool more = installation_.next();
  Progress now{installation_.bytesDone(), installation_.bytesTotal(), installation_.currentFile()};
  EnterCriticalSection(&lock_);
  progress_ = std::move(now);
  LeaveCriticalSection(&lock_);
  return more;
}

bool InstallThread::wait(DWORD milliseconds, DWORD wakeMask) {
  if (over_) return true;
  if (!thread_)
    over_ = !step();
  else
    over_ = MsgWaitForMultipleObjects(1, &thread_, FALSE, milliseconds, wakeMask) == WAIT_OBJECT_0;
  return over_;
}

InstallThread::Progress InstallThread::progress() const {
  EnterCriticalSection(&lock_);
  Progress copy = progress_;
  LeaveCriticalSection(&lock_);
  return copy;
}

}  // namespace velm
