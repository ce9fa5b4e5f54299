// The catalogue descriptions as text lines: how a description file is split when it is loaded,
// and how its lines are joined again for the rich-text view.
#pragma once

#include <string>
#include <vector>

namespace velm {

// A line ends at CR LF, at a lone CR or at a lone LF (so LF CR makes an empty line between);
// a NUL byte ends the text. A last line without a line end is still a line.
std::vector<std::string> SplitDescriptionLines(const std::string& bytes);

// Every line followed by CR LF, the last one too.
std::string JoinDescriptionLines(const std::vector<std::string>& lines);

}  // namespace velm
