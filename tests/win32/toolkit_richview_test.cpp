// The rich-text view for real under Wine's rich edit control: RTF loads, text that is not RTF
// is refused (so the catalogue shows it as plain text instead), and Greek RTF comes out as
// code page 1253 text. Every case runs twice: on RichEdit 2.0, and with RichEdit 2.0 missing
// (its library named as one that does not exist), on RichEdit 1.0, as on Windows 95 and NT 4.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "Controls.h"
#include "Form.h"
#include "TestForms.h"
#include "NamedCases.h"

namespace {

// The rich-edit libraries a view may be made from, and the window class it must end up with.
struct Edition {
  const char* name;
  bool withoutRichEdit20;
  const char* windowClass;
};

class RichViewTest : public ::testing::TestWithParam<Edition> {
 protected:
  void SetUp() override {
    libraries_ = tk::RichEditLibraries();
    if (GetParam().withoutRichEdit20)
      tk::RichEditLibraries() = {{"velm-missing-riched20.dll", "RichEdit20A"},
                                 {"riched32.dll", "RICHEDIT"}};
    form_ = std::make_unique<tk::Form>(velmtest::FormSpecOf("Rich", 300, 300));
    view_ = &form_->add<tk::RichView>("PresRTF", 8, 8, 216, 285);
  }
  void TearDown() override {
    form_.reset();
    tk::RichEditLibraries() = libraries_;
  }
  // The whole text as WM_GETTEXT gives it: bytes of the ANSI code page, paragraphs ending CR LF.
  std::string shown() const { return view_->text(); }

  std::vector<tk::RichEditLibrary> libraries_;
  std::unique_ptr<tk::Form> form_;
  tk::RichView* view_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Editions, RichViewTest,
                         ::testing::Values(Edition{"RichEdit20", false, "RichEdit20A"},
                                           Edition{"RichEdit10", true, "RICHEDIT"}),
                         velmtest::CaseName());

struct Streamed {
  LRESULT characters;
  DWORD error;
};

struct Source {
  const std::string* bytes;
  size_t at;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* s = reinterpret_cast<Source*>(cookie);
  const size_t n = std::min(s->bytes->size() - s->at, static_cast<size_t>(wanted));
  s->bytes->copy(reinterpret_cast<char*>(buffer), n, s->at);
  s->at += n;
  *given = static_cast<LONG>(n);
  return 0;
}

// EM_STREAMIN as the view sends it, to see what the control itself reports.
Streamed StreamRaw(HWND view, const std::string& bytes, UINT format) {
  Source source{&bytes, 0};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  es.pfnCallback = &ReadSource;
  const LRESULT characters = SendMessageA(view, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
  return {characters, es.dwError};
}

TEST_P(RichViewTest, IsMadeFromTheFirstLibraryThatLoads) {
  char cls[32] = {};
  GetClassNameA(view_->ensureHandle(), cls, sizeof cls);
  EXPECT_STREQ(cls, GetParam().windowClass);
  EXPECT_EQ(view_->windowClass(), GetParam().windowClass);
}

TEST_P(RichViewTest, TextThatIsNotRtfIsRefusedAndThenLoadsAsPlainText) {
  const struct {
    const char* name;
    std::string bytes;
    std::string plain;  // as shown when loaded as plain text
    // RichEdit 1.0 takes any group as RTF: what it shows then, or null when it refuses too.
    const char* asRtfBy10;
  } cases[] = {
      {"plain lines", "First line\r\nSecond line\r\n", "First line\r\nSecond line\r\n", nullptr},
      {"Greek plain text", "Λεξικό ιατρικών όρων\r\n", "Λεξικό ιατρικών όρων\r\n", nullptr},
      {"space before the group", " {\\rtf1 leading}\r\n", " {\\rtf1 leading}\r\n", nullptr},
      {"upper-case keyword", "{\\RTF1 upper case}\r\n", "{\\RTF1 upper case}\r\n", "upper case"},
      {"a brace only", "{plain in braces}\r\n", "{plain in braces}\r\n", "plain in braces"},
      // As plain text, the control reads a UTF-8 byte order mark as the text's encoding.
      {"byte order mark first", "\xEF\xBB\xBF{\\rtf1 marked}\r\n", "{\\rtf1 marked}\r\n", nullptr},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(view_->loadRtf("{\\rtf1 before}"));
    if (GetParam().withoutRichEdit20 && c.asRtfBy10) {
      EXPECT_TRUE(view_->loadRtf(c.bytes)) << c.name;
      EXPECT_EQ(shown(), c.asRtfBy10) << c.name;
      continue;
    }
    EXPECT_FALSE(view_->loadRtf(c.bytes)) << c.name;
    // Nothing of a refused load is shown, and the earlier text is gone.
    EXPECT_EQ(shown(), "") << c.name;
    ASSERT_TRUE(view_->loadPlainText(c.bytes)) << c.name;
    EXPECT_EQ(shown(), c.plain) << c.name;
  }
}

TEST_P(RichViewTest, TheControlItselfSaysItRefusedTheText) {
  // What Wine's rich edit reports for text that does not start with "{\rtf": no characters
  // read, and an error code in the stream's dwError (-16 in Wine 8). loadRtf is false because
  // of that report, not because of a test of its own on the text.
  const Streamed plain = StreamRaw(view_->ensureHandle(), "no RTF here", SF_RTF);
  EXPECT_EQ(plain.characters, 0);
  EXPECT_NE(plain.error, 0u) << "dwError " << static_cast<long>(plain.error);
  const Streamed empty = StreamRaw(view_->handle(), "", SF_RTF);
  EXPECT_EQ(empty.characters, 0);
  EXPECT_NE(empty.error, 0u);
  const Streamed rtf = StreamRaw(view_->handle(), "{\\rtf1 fine}", SF_RTF);
  EXPECT_EQ(rtf.characters, 4);
  EXPECT_EQ(rtf.error, 0u);
}

TEST_P(RichViewTest, RtfLoadsWithItsParagraphs) {
  // As the catalogue hands it over: the file's lines, each followed by CR LF.
  const std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
      "{\\colortbl;\\red128\\green0\\blue0;}\r\n"
      "\\f0\\fs20 {\\b Title}\\par\r\n"
      "\\cf1 second {\\i line}\\par\r\n"
      "last\r\n"
      "}\r\n";
  ASSERT_TRUE(view_->loadRtf(rtf));
  EXPECT_EQ(shown(), "Title\r\nsecond line\r\nlast");
  // A second load replaces the first.
  ASSERT_TRUE(view_->loadRtf("{\\rtf1 other}"));
  EXPECT_EQ(shown(), "other");
  view_->clear();
  EXPECT_EQ(shown(), "");
}

TEST_P(RichViewTest, GreekRtfComesOutAsCodePage1253Text) {
  const std::string header =
      "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Times New Roman;}}"
      "\\f0\\fs22 ";
  const struct {
    const char* name;
    std::string body;
  } cases[] = {
      // "Ελληνικά" escaped as RTF writers write it.
      {"escaped bytes", "\\'c5\\'eb\\'eb\\'e7\\'ed\\'e9\\'ea\\'dc"},
      // The same word as the code page's raw bytes (the compiler emits code page 1253).
      {"raw bytes", "Ελληνικά"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(view_->loadRtf(header + c.body +
                               " \\'e9\\'e1\\'f4\\'f1\\'e9\\'ea\\'fc \\'eb\\'de\\'ec\\'ec\\'e1}"))
        << c.name;
    EXPECT_EQ(shown(), "Ελληνικά ιατρικό λήμμα") << c.name;
  }
  // Capitals with accents and final sigma, which differ between Greek code pages.
  ASSERT_TRUE(view_->loadRtf(header + "\\'a2\\'e8\\'e7\\'ed\\'e1 \\'b8\\'f7\\'ef\\'f2}"));
  EXPECT_EQ(shown(), "Άθηνα Έχος");
}

TEST_P(RichViewTest, LongTextLoadsWhole) {
  // More than the 32767 characters a rich edit control takes by default from its user.
  std::string plain;
  while (plain.size() < 70000) plain += "Κείμενο περιγραφής τίτλου. ";
  ASSERT_TRUE(view_->loadPlainText(plain));
  EXPECT_EQ(shown().size(), plain.size());
  ASSERT_TRUE(view_->loadRtf("{\\rtf1\\ansi\\ansicpg1253 " + plain + "}"));
  EXPECT_EQ(shown().size(), plain.size());
}

TEST_P(RichViewTest, KeysItTakesItself) {
  EXPECT_TRUE(view_->wantsKey(VK_RETURN));
  EXPECT_TRUE(view_->wantsKey(VK_ESCAPE));
  EXPECT_FALSE(view_->wantsKey(VK_TAB));
}

}  // namespace
