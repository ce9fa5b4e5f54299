// An installation's steps run on a thread of their own, so that the folder dialog keeps answering
// whatever one step costs. From a CD-ROM drive one step can take longer than a window may keep a
// person waiting, and no step can be cut shorter: at 4x (600 KB/s, about 120 ms for each jump of
// the head) opening a file with its folder's look-ups and reading its first 64 KB takes up to half
// a second, and a drive spinning up takes seconds.
//
// While the thread runs, the installation is its own: the window's thread reads only the progress
// the thread leaves after each step, and asks for a stop through cancel(). Once wait() has said the
// steps are over, the installation is the caller's again. The thread ends at a point the caller
// names (the folder ready, the copies over), so that what comes after (the shortcut, a COM object
// of the window's thread; the settings file) runs where it always ran.
//
// Where no thread can be started the steps run on the caller's thread, one at each wait().
#pragma once

#include <windows.h>

#include <string>

#include "Installation.h"

namespace velm {

class InstallThread {
 public:
  struct Progress {
    unsigned long long done = 0;   // the bytes copied
    unsigned long long total = 0;  // of those the copies hold
    std::string file;              // the file being copied, as named on the disc
  };
  using Until = bool (Installation::*)() const;

  // Starts running `installation`'s steps until `until` holds or the outcome is known.
  InstallThread(Installation& installation, Until until);
  // Asks the steps to stop and waits for the thread's end: the installation outlives it.
  ~InstallThread();
  InstallThread(const InstallThread&) = delete;
  InstallThread& operator=(const InstallThread&) = delete;

  // Waits up to `milliseconds` for the end of the steps, waking early when the caller's thread has
  // messages of `wakeMask` (QS_...) waiting. True once the steps are over.
  bool wait(DWORD milliseconds, DWORD wakeMask);
  // How far the installation was after its last step.
  Progress progress() const;
  // Asks the installation to stop and take back what it made; heard before its next step.
  void cancel() { installation_.cancel(); }

 private:
  static DWORD WINAPI Run(LPVOID self);
  // Runs one step and leaves its progress; false once the steps are over.
  bool step();

  Installation& installation_;
  Until until_;
  mutable CRITICAL_SECTION lock_;
  Progress progress_;
  HANDLE thread_ = nullptr;
  bool over_ = false;
};

}  // namespace velm
