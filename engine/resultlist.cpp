#include "resultlist.h"

#include "errors.h"

#include <string>

namespace vorlan {

namespace {
void checkPosition(int32_t position, std::size_t count) {
    if (position < 1 || static_cast<std::size_t>(position) > count) {
        throw SubscriptOutOfRangeError("result list position " + std::to_string(position) +
                                       " is outside 1.." + std::to_string(count));
    }
}
} // namespace

int32_t ResultList::Item(int32_t position) const {
    checkPosition(position, items_.size());
    return items_[static_cast<std::size_t>(position - 1)];
}

void ResultList::Remove(int32_t position) {
    checkPosition(position, items_.size());
    items_.erase(items_.begin() + (position - 1));
}

} // namespace vorlan
