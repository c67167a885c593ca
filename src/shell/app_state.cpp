#include "shell/app_state.h"

namespace quillet {

AppState& App() {
  static AppState state;
  return state;
}

void ResetApp() {
  AppState fresh;
  App() = std::move(fresh);
}

}  // namespace quillet
