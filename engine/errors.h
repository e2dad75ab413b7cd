#pragma once

#include <stdexcept>
#include <string>

namespace vorlan {

// The engine handles none of its errors; each kind has its own type so that a
// caller (or a test) can tell them apart.
class DicError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A word list with the requested type name and id is not built in.
class ResourceNotFoundError : public DicError {
public:
    using DicError::DicError;
};

// A record index or a result-list position outside the valid range.
class SubscriptOutOfRangeError : public DicError {
public:
    using DicError::DicError;
};

// A value does not fit the 16-bit integers of the narrow search.
class OverflowError : public DicError {
public:
    using DicError::DicError;
};

// A lookup or search on a store that has not loaded a word list yet.
class NoRecordArrayError : public DicError {
public:
    using DicError::DicError;
};

} // namespace vorlan
