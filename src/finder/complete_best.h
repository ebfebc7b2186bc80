// The complete search's collection of the placements it finds: every one,
// or the best few by score or by value (score plus the value of the tiles
// kept), in the order of rankedBefore or valueRankedBefore.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "finder/complete_search.h"

namespace tilvan {

// The best placements found so far: every one when many are asked for, else
// a heap of the `limit` best whose front is the worst of them.
class Best {
 public:
  Best(std::size_t limit, bool byValue)
      : limit_(limit), heap_(limit <= kHeapLimit), byValue_(byValue) {
    kept_.reserve(heap_ ? limit : 4096);
  }
  // False when a placement of this score and value can no longer be among
  // the best.
  bool wants(int score, double value) const {
    if (!heap_ || kept_.size() < limit_) return true;
    return byValue_ ? value >= kept_.front().value : score >= kept_.front().score;
  }
  // True when only the best few are kept, so that a bound can rule out
  // placements before they are found.
  bool bounded() const { return heap_; }
  // False when no placement whose score (by score) or value (by value) is
  // at most `bound` can be among the best any more.
  bool reaches(double bound) const {
    if (limit_ == 0) return false;
    if (!heap_ || kept_.size() < limit_) return true;
    return bound >= (byValue_ ? kept_.front().value : kept_.front().score);
  }
  void add(const CompleteMove& r) {
    if (!heap_ || kept_.size() < limit_) {
      kept_.push_back(r);
      if (heap_) std::push_heap(kept_.begin(), kept_.end(), cmp());
    } else if (before_(r, kept_.front())) {
      std::pop_heap(kept_.begin(), kept_.end(), cmp());
      kept_.back() = r;
      std::push_heap(kept_.begin(), kept_.end(), cmp());
    }
  }
  // Every placement kept, in found order.
  std::vector<CompleteMove> all() && { return std::move(kept_); }
  // The best `limit`, best first.
  std::vector<CompleteMove> ranked() && {
    const std::size_t keep = std::min(limit_, kept_.size());
    std::partial_sort(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(keep), kept_.end(),
                      cmp());
    kept_.resize(keep);
    return std::move(kept_);
  }

 private:
  static constexpr std::size_t kHeapLimit = 1024;
  struct Before {
    bool byValue;
    bool operator()(const CompleteMove& a, const CompleteMove& b) const {
      return byValue ? valueRankedBefore(a, b) : rankedBefore(a, b);
    }
  };
  bool before_(const CompleteMove& a, const CompleteMove& b) const { return cmp()(a, b); }
  Before cmp() const { return {byValue_}; }
  std::size_t limit_;
  bool heap_, byValue_;
  std::vector<CompleteMove> kept_;
};

}  // namespace tilvan
