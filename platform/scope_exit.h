#pragma once
// Giving back a temporary change however the scope that made it ends.
#include <exception>
#include <utility>

namespace fw {

// Runs `undo` when the scope ends. When the scope ends by an error, an error of `undo` itself is
// dropped, so that the caller sees the first one; when it ends normally, an error of `undo`
// reaches the caller as any other would.
template <class F>
class [[nodiscard]] ScopeExit {
 public:
  explicit ScopeExit(F undo) : undo_(std::move(undo)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

  ~ScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == errors_) {
      undo_();
      return;
    }
    try {
      undo_();
    } catch (...) {
      // The error already on its way out is the one to report.
    }
  }

 private:
  F undo_;
  int errors_ = std::uncaught_exceptions();
};

}  // namespace fw
