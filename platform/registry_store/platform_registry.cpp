// The Linux build's registry: the store at the path the environment names.
#include <memory>

#include "platform/registry.h"
#include "platform/registry_store/registry_store.h"
#include "platform/registry_store/soft_registry.h"

namespace fw {

std::unique_ptr<Registry> CreatePlatformRegistry() {
  return std::make_unique<soft::SoftRegistry>(soft::DefaultRegistryPath());
}

}  // namespace fw
