#include "shell/app_state.h"

namespace quillet {

AppState& App() {
  static AppState state;
  return state;
}

bool IsCommandAvailable(int id) { return App().commands.IsEnabled(id); }

void ResetApp() {
  AppState fresh;
  App() = std::move(fresh);
}

}  // namespace quillet
