// The order in which the program reads a disc's files, for laying them on the disc in that order
// (a drive's head then reads straight through instead of jumping): the catalogue program, the
// catalogue files the start loads, in its order, then what an installation reads, in its plan's
// order. Worked out by the rules the check plays: the loading that stops at a refused file, the
// install manifest and plan. Portable: no windows.h.
#pragma once

#include <string>
#include <vector>

#include "Disc.h"

namespace velm::check {

struct ReadFile {
  enum class Phase { Program, Catalogue, Installation };
  Phase phase;
  const DiscEntry* entry;  // the disc's file, as the walk found it
};

// Each file the program reads, once, at its first read.
std::vector<ReadFile> ReadOrder(const DiscIndex& disc);

// One line a file: the phase ("program", "catalogue", "installation"), its size in bytes and its
// path on the disc (UTF-8, "\" between parts), separated by tabs.
std::string ReadOrderText(const std::vector<ReadFile>& order);

}  // namespace velm::check
