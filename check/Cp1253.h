// Code page 1253 (Greek), the code page of the program's own texts and of the names on the disc
// as the program sees them: conversion to and from UTF-8 for the check's report and for the
// names of a disc kept on a file system that stores them as UTF-8, and the letter-case folding
// by which Windows takes two names for the same file. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velm::check {

// Appends the character `u` (below U+10000) in UTF-8.
void AppendUtf8(std::string& out, std::uint32_t u);

// UTF-8 for text in code page 1253; a byte the code page leaves unassigned becomes U+FFFD.
std::string Cp1253ToUtf8(std::string_view text);

// Code page 1253 for UTF-8 text; false when the text is not UTF-8 or holds a character the code
// page lacks (such a name cannot be written through the program's 8-bit file calls).
bool Utf8ToCp1253(std::string_view text, std::string* out);

// A code page 1253 byte in upper case, as Windows compares names: Latin and Greek letters,
// final sigma as sigma, the accented vowels as their accented capitals.
char FoldCp1253(char c);

// UTF-8 for a text written as a string literal in this program's sources: the Windows builds
// store literals as code page 1253, the native build as UTF-8.
std::string LiteralToUtf8(const char* literal);

// A name or text for the report: UTF-8 in double quotes, its control bytes made visible ("<LF>",
// "<13>") and, past `longest` bytes, cut short with "...".
std::string Quote(const std::string& cp1253, std::size_t longest = 120);

}  // namespace velm::check
