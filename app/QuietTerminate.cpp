// What the program does when the C++ runtime must end it (an exception that nothing catches,
// which the handlers and window procedures are written never to let happen): it ends at once.
// The runtime's own handler would first write the exception's type, its name decoded by the
// runtime's demangler, to the standard error of a program that has no console; that demangler
// alone was more than a twentieth of the program's size. Defined in the program itself, like
// AnsiRuntimeCalls.cpp, so that the linker takes this one before it looks in the runtime.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
