#include "core/status_line.h"

void StatusLine::Set(std::u8string_view text) {
  text_ = text;
  if (observer_) observer_(text_);
}
