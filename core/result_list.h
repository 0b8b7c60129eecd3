#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One occurrence as the results list shows it. All three are ANSI texts.
struct ResultRow {
  std::string number;      // 1, 2, 3 … within its search
  std::string searchName;  // the search text itself
  std::string position;    // 1-based byte position in the image, as IntegerToText writes it

  friend bool operator==(const ResultRow&, const ResultRow&) = default;
};

// Told of every change to a ResultList, so a view can follow it.
class ResultListObserver {
 public:
  virtual void OnRowsCleared() = 0;
  virtual void OnRowAppended(std::int32_t index) = 0;

 protected:
  ~ResultListObserver() = default;
};

// The rows of the last search, in the order they were found.
class ResultList {
 public:
  void SetObserver(ResultListObserver* observer) noexcept { observer_ = observer; }

  void Clear();
  void Append(ResultRow row);

  [[nodiscard]] std::int32_t Count() const noexcept { return static_cast<std::int32_t>(rows_.size()); }
  // The row at 0-based `index`, or nullptr when there is none.
  [[nodiscard]] const ResultRow* RowAt(std::int32_t index) const noexcept;

 private:
  std::vector<ResultRow> rows_;
  ResultListObserver* observer_ = nullptr;
};
