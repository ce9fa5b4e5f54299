// Runs the disc's dictionary stub Tolvan.exe and checks what the publisher's program relies on:
// a top-level window titled "Duzivod Uzedov" that FindWindowA finds, the folder of the settings
// file shown in it, and an exit with code 0 on a posted quit message or on closing.
//   tolvan_stub_test <path of Tolvan.exe> [gtest options]
// It writes the settings files of the Wine prefix (Tolvan.ini in the Windows folder, C:\Tolvan)
// and puts back what was there before.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_program;  // Windows path of Tolvan.exe

const char kTitle[] = "Duzivod Uzedov";
const int kFolderControlId = 100;
const DWORD kPatienceMs = 30000;  // Wine may take seconds to start a program

class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : h_(h) {}
  ~Handle() {
    if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

std::string WindowsIni() {
  char dir[MAX_PATH] = {};
  UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  std::string path(dir, n);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + "Tolvan.ini";
}

bool ReadAll(const std::string& path, std::string* bytes) {
  Handle f(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (f.Get() == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(f.Get(), buf, sizeof buf, &got, nullptr) && got) bytes->append(buf, got);
  return true;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  Handle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (f.Get() == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  return WriteFile(f.Get(), bytes.data(), DWORD(bytes.size()), &put, nullptr) &&
         put == bytes.size();
}

bool IsFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Keeps a settings file as it was before the test: its bytes, or its absence.
class KeptFile {
 public:
  explicit KeptFile(std::string path) : path_(std::move(path)) {
    had_ = IsFile(path_) && ReadAll(path_, &bytes_);
  }
  ~KeptFile() {
    if (had_)
      WriteAll(path_, bytes_);
    else if (IsFile(path_))
      DeleteFileA(path_.c_str());
  }
  void Set(const std::string& bytes) { ASSERT_TRUE(WriteAll(path_, bytes)) << path_; }
  void Remove() {
    if (IsFile(path_)) {
      ASSERT_TRUE(DeleteFileA(path_.c_str())) << path_;
    }
  }

 private:
  std::string path_;
  std::string bytes_;
  bool had_ = false;
};

// One run of the stub: started, its window found; ended and reaped by the test.
class StubRun {
 public:
  StubRun() {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + g_program + "\"";
    started_ = CreateProcessA(g_program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &pi) != 0;
    if (!started_) return;
    process_ = pi.hProcess;
    CloseHandle(pi.hThread);
    WaitForInputIdle(process_, kPatienceMs);
    for (DWORD waited = 0; waited < kPatienceMs && !window_; waited += 50) {
      window_ = FindWindowA(nullptr, kTitle);
      if (!window_) Sleep(50);
    }
  }
  ~StubRun() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
    CloseHandle(process_);
  }
  StubRun(const StubRun&) = delete;
  StubRun& operator=(const StubRun&) = delete;

  bool started() const { return started_; }
  HWND window() const { return window_; }

  std::string FolderShown() const {
    char text[2048] = {};
    HWND control = GetDlgItem(window_, kFolderControlId);
    if (!control) return "<no folder control>";
    GetWindowTextA(control, text, sizeof text);
    return text;
  }

  // The exit code once the process has ended, or -1 when it is still running.
  long ExitCode() const {
    if (WaitForSingleObject(process_, kPatienceMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return long(code);
  }

 private:
  bool started_ = false;
  HANDLE process_ = nullptr;
  HWND window_ = nullptr;
};

struct SettingsCase {
  const char* name;
  const char* ini;       // bytes of Tolvan.ini in the Windows folder, nullptr = no file
  const char* fallback;  // bytes of the file C:\Tolvan, nullptr = no file
  const char* shown;     // what the window must show
};

const SettingsCase kSettingsCases[] = {
    {"IniLine", "C:\\Program Files\\Tolvan\r\n", nullptr, "C:\\Program Files\\Tolvan"},
    {"IniGreekPath", "D:\\Λεξικά\\Ιατρικό\\\r\n", nullptr, "D:\\Λεξικά\\Ιατρικό\\"},
    {"IniWithoutLineEnd", "C:\\Tolvan", nullptr, "C:\\Tolvan"},
    {"IniFirstLineOnly", "E:\\Dict\r\nsecond line\r\n", nullptr, "E:\\Dict"},
    {"IniWinsOverFallback", "C:\\A\r\n", "C:\\B\r\n", "C:\\A"},
    {"FallbackFile", nullptr, "C:\\Medical\r\n", "C:\\Medical"},
    {"EmptyIni", "", nullptr, "(no folder recorded)"},
    {"NoSettings", nullptr, nullptr, "(no folder recorded)"},
};

class TolvanSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(TolvanSettings, ShowsTheRecordedFolderAndEndsOnThePostedQuit) {
  const SettingsCase& c = GetParam();
  // C:\Tolvan may be an installed dictionary's folder; such a folder is never touched here.
  if (c.fallback && Exists("C:\\Tolvan") && !IsFile("C:\\Tolvan"))
    GTEST_SKIP() << "C:\\Tolvan is a folder in this prefix";
  KeptFile ini(WindowsIni());
  KeptFile fallback("C:\\Tolvan");
  if (c.ini)
    ini.Set(c.ini);
  else
    ini.Remove();
  if (c.fallback)
    fallback.Set(c.fallback);
  else
    fallback.Remove();

  StubRun run;
  ASSERT_TRUE(run.started()) << g_program << " error " << GetLastError();
  ASSERT_NE(run.window(), nullptr) << "no top-level window titled " << kTitle;
  EXPECT_EQ(run.FolderShown(), c.shown);
  // As the removal does it: the quit message posted to the window, no parameters.
  PostMessageA(run.window(), WM_QUIT, 0, 0);
  EXPECT_EQ(run.ExitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TolvanSettings, ::testing::ValuesIn(kSettingsCases),
                         [](const ::testing::TestParamInfo<SettingsCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(TolvanWindow, ClosingTheWindowEndsTheProgram) {
  StubRun run;
  ASSERT_TRUE(run.started());
  ASSERT_NE(run.window(), nullptr);
  char title[64] = {};
  GetWindowTextA(run.window(), title, sizeof title);
  EXPECT_STREQ(title, kTitle);
  EXPECT_EQ(GetParent(run.window()), nullptr);
  PostMessageA(run.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run.ExitCode(), 0);
}

TEST(TolvanWindow, AFolderNamedCTolvanIsNoSettingsFile) {
  if (Exists("C:\\Tolvan")) GTEST_SKIP() << "C:\\Tolvan exists in this prefix";
  KeptFile ini(WindowsIni());
  ini.Remove();
  ASSERT_TRUE(CreateDirectoryA("C:\\Tolvan", nullptr));
  struct Remover {
    ~Remover() { RemoveDirectoryA("C:\\Tolvan"); }
  } remover;
  StubRun run;
  ASSERT_NE(run.window(), nullptr);
  EXPECT_EQ(run.FolderShown(), "(no folder recorded)");
  PostMessageA(run.window(), WM_QUIT, 0, 0);
  EXPECT_EQ(run.ExitCode(), 0);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    fprintf(stderr, "usage: tolvan_stub_test <Tolvan.exe>\n");
    return 2;
  }
  g_program = argv[1];
  // CTest hands over the build tree's Unix path; Wine maps the Unix root to drive Z:.
  if (!g_program.empty() && g_program[0] == '/') {
    for (char& ch : g_program)
      if (ch == '/') ch = '\\';
    g_program = "Z:" + g_program;
  }
  return RUN_ALL_TESTS();
}
