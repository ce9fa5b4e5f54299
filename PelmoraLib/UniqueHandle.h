// One owner of a Windows handle of any kind: it gives the handle back with `Close` when it goes or
// is given another, on every path out of a scope, and moves but never copies. `None` tells which
// value holds nothing: null for most handles, INVALID_HANDLE_VALUE for files and searches. A
// handle that needs more than itself to be given back (a device context and its window, an
// object and the one it replaced) is held as a small value with its parts.
#pragma once

#include <windows.h>

#include <utility>

namespace velm {

// Null holds nothing.
template <class T>
struct NoneIsNull {
  static T none() { return T{}; }
};

// INVALID_HANDLE_VALUE holds nothing (CreateFileA's and FindFirstFileA's failure).
struct NoneIsInvalid {
  static HANDLE none() { return INVALID_HANDLE_VALUE; }
};

template <class T, auto Close, class None = NoneIsNull<T>>
class UniqueAny {
 public:
  UniqueAny() noexcept = default;
  explicit UniqueAny(T value) noexcept : value_(value) {}
  ~UniqueAny() { reset(); }
  UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;

  // Gives back the handle held, if any, and holds `value`.
  void reset(T value = None::none()) noexcept {
    const T old = std::exchange(value_, value);
    if (!(old == None::none())) Close(old);
  }
  // Gives the handle up: the caller owns it from now on.
  T release() noexcept { return std::exchange(value_, None::none()); }
  const T& get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return !(value_ == None::none()); }

 private:
  T value_ = None::none();
};

namespace handles {
inline void CloseFile(HANDLE file) {
  CloseHandle(file);
}
inline void CloseSearch(HANDLE search) {
  FindClose(search);
}
}  // namespace handles

// A file of CreateFileA.
using UniqueFile = UniqueAny<HANDLE, &handles::CloseFile, NoneIsInvalid>;
// A search of FindFirstFileA.
using UniqueSearch = UniqueAny<HANDLE, &handles::CloseSearch, NoneIsInvalid>;

}  // namespace velm
