#include "app/unreadable_registry_report.h"

#include <string>

namespace fw::app {

UnreadableRegistryReport::UnreadableRegistryReport(soft::SoftRegistry& registry, std::ostream& out)
    : registry_(registry), out_(out) {
  // The store tells only changes, so a file that stays broken is said once; the empty text of
  // a mended file needs no words.
  registry_.WatchReads([this](const std::string& problem) {
    if (!problem.empty()) out_ << "ferrowind: " << problem << std::endl;
  });
}

UnreadableRegistryReport::~UnreadableRegistryReport() {
  registry_.WatchReads({});
}

}  // namespace fw::app
