#include "core/result_list.h"

void ResultList::Clear() {
  rows_.clear();
  if (observer_ != nullptr) observer_->OnRowsCleared();
}

void ResultList::Append(ResultRow row) {
  rows_.push_back(std::move(row));
  if (observer_ != nullptr) observer_->OnRowAppended(Count() - 1);
}

const ResultRow* ResultList::RowAt(std::int32_t index) const noexcept {
  if (index < 0 || index >= Count()) return nullptr;
  return &rows_[static_cast<std::size_t>(index)];
}
