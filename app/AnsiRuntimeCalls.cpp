// The few Windows calls that the compiler's own runtime (thread support, exception unwinding,
// locale and random-number helpers) makes by their Unicode names, made here through the ANSI
// calls instead. Windows 95 has the ANSI ones only: its Unicode names are absent or do nothing,
// and IsDBCSLeadByteEx is answered from the code page's lead-byte ranges, which every release
// reports. The runtime calls through import pointers ("__imp__<name>@<bytes>"); defining those
// pointers here, in the program itself, keeps the linker from taking kernel32's, so VelmPres.exe
// does not import these names at all (the import audit of the tests checks it).
#include <windows.h>

#include <string>

namespace {

// A Unicode name as ANSI bytes; names the runtime passes are plain ASCII.
std::string Narrow(LPCWSTR text) {
  std::string out;
  if (!text) return out;
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return out;
  out.resize(static_cast<size_t>(size));
  WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

HANDLE WINAPI AnsiCreateSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum,
                                  LPCWSTR name) {
  const std::string narrow = Narrow(name);
  return CreateSemaphoreA(security, initial, maximum, name ? narrow.c_str() : nullptr);
}

HMODULE WINAPI AnsiGetModuleHandle(LPCWSTR name) {
  const std::string narrow = Narrow(name);
  return GetModuleHandleA(name ? narrow.c_str() : nullptr);
}

HMODULE WINAPI AnsiLoadLibrary(LPCWSTR name) {
  const std::string narrow = Narrow(name);
  return LoadLibraryA(narrow.c_str());
}

BOOL WINAPI LeadByteOf(UINT codePage, BYTE test) {
  CPINFO info;
  if (!GetCPInfo(codePage, &info)) return FALSE;
  for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2)
    if (test >= info.LeadByte[i] && test <= info.LeadByte[i + 1]) return TRUE;
  return FALSE;
}

}  // namespace

extern "C" {
// clang-format off
void* velm_imp_CreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16") =
    reinterpret_cast<void*>(&AnsiCreateSemaphore);
void* velm_imp_GetModuleHandleW __asm__("__imp__GetModuleHandleW@4") =
    reinterpret_cast<void*>(&AnsiGetModuleHandle);
void* velm_imp_LoadLibraryW __asm__("__imp__LoadLibraryW@4") =
    reinterpret_cast<void*>(&AnsiLoadLibrary);
void* velm_imp_IsDBCSLeadByteEx __asm__("__imp__IsDBCSLeadByteEx@8") =
    reinterpret_cast<void*>(&LeadByteOf);
// clang-format on
}
