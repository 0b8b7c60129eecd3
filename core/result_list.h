#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A text that many rows hold without a copy each: a search text may be long and found 1000 times.
class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string text) : text_(std::make_shared<const std::string>(std::move(text))) {}
  SharedText(const char* text) : SharedText(std::string(text)) {}

  [[nodiscard]] const std::string& Text() const noexcept { return text_ ? *text_ : kEmpty; }
  operator const std::string&() const noexcept { return Text(); }

  friend bool operator==(const SharedText& a, const SharedText& b) noexcept { return a.Text() == b.Text(); }

 private:
  static inline const std::string kEmpty;
  std::shared_ptr<const std::string> text_;
};

// One occurrence as the results list shows it. All three are ANSI texts.
struct ResultRow {
  std::string number;     // 1, 2, 3 … within its search
  SharedText searchName;  // the search text itself, one copy for all rows of a search
  std::string position;   // 1-based byte position in the image, as IntegerToText writes it

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
