#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/status_texts.h"

// The program's one status text, shown in the status bar. Operations set it whole.
class StatusLine {
 public:
  using Observer = std::function<void(std::u8string_view)>;

  void SetObserver(Observer observer) { observer_ = std::move(observer); }

  void Set(std::u8string_view text);
  [[nodiscard]] const std::u8string& Text() const noexcept { return text_; }

 private:
  std::u8string text_{kStatusAtStart};
  Observer observer_;
};
