// The program's read order of a disc, from the catalogue check's loading and the install plan.
#include "ReadOrder.h"

#include "Cp1253.h"
#include "DiscCheck.h"
#include "InstallPlan.h"

namespace velm::check {

std::vector<ReadFile> ReadOrder(const DiscIndex& disc) {
  std::vector<ReadFile> order;
  auto add = [&](ReadFile::Phase phase, const DiscEntry* entry) {
    if (!entry) return;
    for (const ReadFile& f : order)
      if (f.entry == entry) return;
    order.push_back({phase, entry});
  };
  add(ReadFile::Phase::Program, disc.findFile(kPresenterFile));

  // The start: every catalogue file the loading reads, up to and with the one that stops it.
  Report catalogue;
  CheckCatalogue(disc, catalogue);
  for (const CatalogueSlot& slot : catalogue.catalogue.slots)
    for (const CatalogueFile& file : slot.files)
      if (file.state == CatalogueFile::State::Loaded || file.state == CatalogueFile::State::Refused)
        add(ReadFile::Phase::Catalogue, disc.findFile(file.name));

  // The installation reads the manifest, then copies in the plan's order.
  const std::string folder = kDefaultFolders[0];
  std::vector<InstallStep> steps = PlanProgramAndData(folder);
  const DiscEntry* manifest = disc.findFile(kInstallManifestPath);
  std::string bytes;
  if (manifest && disc.read(*manifest, bytes)) {
    add(ReadFile::Phase::Installation, manifest);
    const std::vector<InstallStep> content = PlanManifest(folder, bytes);
    steps.insert(steps.end(), content.begin(), content.end());
  }
  for (const InstallStep& step : steps)
    if (const auto* copy = step.as<InstallStep::Copy>())
      add(ReadFile::Phase::Installation, disc.findFile(copy->from));
  return order;
}

std::string ReadOrderText(const std::vector<ReadFile>& order) {
  static const char* const kPhases[] = {"program", "catalogue", "installation"};
  std::string text;
  for (const ReadFile& f : order)
    text += std::string(kPhases[static_cast<int>(f.phase)]) + "\t" + std::to_string(f.entry->size) +
            "\t" + Cp1253ToUtf8(f.entry->path) + "\n";
  return text;
}

}  // namespace velm::check
