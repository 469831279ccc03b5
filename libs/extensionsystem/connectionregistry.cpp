#include "connectionregistry.h"

namespace ExtensionSystem {

namespace {
ConnectionRegistry *g_registry = nullptr;
}

ConnectionRegistry *ConnectionRegistry::instance() { return g_registry; }
void ConnectionRegistry::setInstance(ConnectionRegistry *registry) { g_registry = registry; }

} // namespace ExtensionSystem
