#pragma once
// The Linux program's word on its registry file. Each time the file becomes unreadable (it cannot
// be parsed, or cannot be read at all) one line goes to the output, "ferrowind: <file>:<line>:
// <problem>", where the user who started the program can see it, while the window keeps showing
// the last state it read. Nothing more is said while the file stays broken the same way, on
// however many timer ticks; once it reads well again, the next breakage is said again.
#include <ostream>

#include "platform/registry_store/soft_registry.h"

namespace fw::app {

class UnreadableRegistryReport {
 public:
  // Watches `registry` from now until destroyed; attach it before the registry's first read.
  // The registry and `out` must outlive the report.
  UnreadableRegistryReport(soft::SoftRegistry& registry, std::ostream& out);
  ~UnreadableRegistryReport();
  UnreadableRegistryReport(const UnreadableRegistryReport&) = delete;
  UnreadableRegistryReport& operator=(const UnreadableRegistryReport&) = delete;

 private:
  soft::SoftRegistry& registry_;
  std::ostream& out_;
};

}  // namespace fw::app
