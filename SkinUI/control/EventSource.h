#pragma once
// An ordered list of callbacks. Running it calls each in turn and yields
// false as soon as one returns false (true for an empty list).
#include <functional>
#include <utility>
#include <vector>

namespace SkinUI {

template <typename Arg>
class CEventSource {
 public:
  using Callback = std::function<bool(Arg)>;

  void Add(Callback callback) { callbacks_.push_back(std::move(callback)); }
  CEventSource& operator+=(Callback callback) {
    Add(std::move(callback));
    return *this;
  }
  void Clear() { callbacks_.clear(); }
  bool IsEmpty() const { return callbacks_.empty(); }

  bool operator()(Arg arg) const {
    // A copy: a callback may add to the list while it runs.
    const std::vector<Callback> callbacks = callbacks_;
    for (const Callback& callback : callbacks) {
      if (!callback(arg)) return false;
    }
    return true;
  }

 private:
  std::vector<Callback> callbacks_;
};

}  // namespace SkinUI
