#pragma once

#include "runtimeerror.h"

#include <QList>

namespace varelith {

// An array with lower bound 0 and a resizable upper bound. Before its first resize it has
// no elements at all. Every access is checked: an index outside the bounds is a
// subscript-out-of-range error, never a stray read or write.
template <typename T> class BoundedArray {
public:
    // Resizes to 0..upper, keeping the elements that remain; new ones are T().
    void resizePreserving(qsizetype upper) { m_items.resize(upper + 1); }

    const T& at(qsizetype index) const {
        check(index);
        return m_items.at(index);
    }

    void set(qsizetype index, T value) {
        check(index);
        m_items[index] = std::move(value);
    }

private:
    void check(qsizetype index) const {
        if (index < 0 || index >= m_items.size())
            throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    }

    QList<T> m_items;
};

} // namespace varelith
