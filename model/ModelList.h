#pragma once
// Lists of model elements: each element owned by its list, addressed by a zero-based index.
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace talver {

class EListIndex : public std::out_of_range {
 public:
  EListIndex() : std::out_of_range("Индекс списка вне допустимого диапазона") {}
};

template <class T>
class mTList {
 public:
  // Constructs a new element at the end and returns its index.
  std::size_t Add() {
    items_.push_back(std::make_unique<T>());
    return items_.size() - 1;
  }
  std::size_t Add(T element) {
    items_.push_back(std::make_unique<T>(std::move(element)));
    return items_.size() - 1;
  }
  T& Get(std::size_t index) { return *items_.at(Checked(index)); }
  const T& Get(std::size_t index) const { return *items_.at(Checked(index)); }
  T& Last() { return Get(Count() - 1); }
  // Destroys the element; later indexes shift down.
  void Delete(std::size_t index) { items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Checked(index))); }
  std::size_t Count() const { return items_.size(); }
  void Clear() { items_.clear(); }

  template <class F>
  void ForEach(F&& f) const {
    for (std::size_t i = 0; i < items_.size(); ++i) f(i, *items_[i]);
  }

 private:
  std::size_t Checked(std::size_t index) const {
    if (index >= items_.size()) throw EListIndex();
    return index;
  }
  std::vector<std::unique_ptr<T>> items_;
};

}  // namespace talver
