#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace vorlan {

// The record indexes one search found, in ascending order. Positions are
// 1-based. A list is shared by reference between the store that made it and
// whoever reads it; a new search makes a new list and never touches old ones.
class ResultList {
public:
    ResultList() = default;

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    // Throws SubscriptOutOfRangeError unless 1 <= position <= Count().
    int32_t Item(int32_t position) const;
    void Add(int32_t value) { items_.push_back(value); }
    // Throws SubscriptOutOfRangeError unless 1 <= position <= Count().
    void Remove(int32_t position);

    // Whole contents, for callers that copy a result in one go.
    const std::vector<int32_t> &values() const { return items_; }
    void reserve(std::size_t n) { items_.reserve(n); }

private:
    std::vector<int32_t> items_;
};

using ResultListRef = std::shared_ptr<ResultList>;

} // namespace vorlan
