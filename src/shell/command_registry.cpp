#include "shell/command_registry.h"

namespace quillet {

void CommandRegistry::Register(int id, Handler handler, Rule enabled) {
  if (!handler) return;  // an entry that cannot run would only look enabled
  entries_[id] = {std::move(handler), std::move(enabled)};
}

void CommandRegistry::Register(std::span<const CommandId> ids, const Handler& handler, const Rule& enabled) {
  for (CommandId id : ids) Register(id, handler, enabled);
}

bool CommandRegistry::IsEnabled(int id) const {
  const auto it = entries_.find(id);
  return it != entries_.end() && (!it->second.enabled || it->second.enabled());
}

bool CommandRegistry::Run(const CommandCall& call) const {
  const auto it = entries_.find(call.id);
  if (it == entries_.end() || (it->second.enabled && !it->second.enabled())) return false;
  // A copy: the handler may replace its own entry (or close the window that owns the registry).
  const Handler handler = it->second.handler;
  handler(call);
  return true;
}

}  // namespace quillet
