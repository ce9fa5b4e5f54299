// Reads text files by the line rules of the program's runtime, for the settings file and the
// install manifest: a line ends at CR and one LF right after it belongs to that line end; an LF on
// its own is an ordinary byte of the line; byte 26 (Ctrl-Z) ends the file, and the text before it
// on its line is still a line; lines have no length limit; the last line needs no line end.
// Portable: no windows.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velm {

// The end-of-file byte of old DOS text files.
constexpr char kTextEndOfFile = '\x1A';

// Reads the lines of a byte buffer one at a time. The buffer must outlive the reader.
class TextLineReader {
 public:
  explicit TextLineReader(std::string_view bytes) : bytes_(bytes) {}

  // True when no line is left: at the end of the buffer or at a Ctrl-Z. A buffer that is empty or
  // begins with Ctrl-Z is at its end from the start.
  bool atEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == kTextEndOfFile; }

  // The next line without its line end. At the end it returns an empty string and stays there.
  std::string readLine();

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Every line of `bytes`, in order.
std::vector<std::string> ReadTextLines(std::string_view bytes);

}  // namespace velm
