#pragma once

#include "CalcError.h"

#include <vector>

namespace mostarium {

// A growable table with lower bound 0 whose every access is checked: reading
// or writing outside the bounds is a CalcError, never undefined behaviour.
template <typename T>
class Table1D {
public:
    Table1D() = default;
    explicit Table1D(int upper) { redim(upper); }

    // (0 To upper), emptied.
    void redim(int upper) { m_data.assign(upper < 0 ? 0 : upper + 1, T{}); }
    // (0 To upper), keeping what fits.
    void redimPreserve(int upper) { m_data.resize(upper < 0 ? 0 : upper + 1, T{}); }
    int ubound() const { return int(m_data.size()) - 1; }
    int size() const { return int(m_data.size()); }
    bool has(int i) const { return i >= 0 && i < int(m_data.size()); }

    T &operator()(int i)
    {
        if (!has(i))
            throwSubscript();
        return m_data[std::size_t(i)];
    }
    const T &operator()(int i) const
    {
        if (!has(i))
            throwSubscript();
        return m_data[std::size_t(i)];
    }
    bool operator==(const Table1D &) const = default;

private:
    std::vector<T> m_data;
};

// Rows are the first index, columns the second; both with lower bound 0.
template <typename T>
class Table2D {
public:
    Table2D() = default;
    Table2D(int rowUpper, int colUpper) { redim(rowUpper, colUpper); }

    void redim(int rowUpper, int colUpper)
    {
        m_rows = rowUpper < 0 ? 0 : rowUpper + 1;
        m_cols = colUpper < 0 ? 0 : colUpper + 1;
        m_data.assign(std::size_t(m_rows) * std::size_t(m_cols), T{});
    }
    // Keeps every cell that lies inside both the old and the new shape.
    void redimPreserve(int rowUpper, int colUpper)
    {
        Table2D n(rowUpper, colUpper);
        for (int r = 0; r < m_rows && r < n.m_rows; ++r)
            for (int c = 0; c < m_cols && c < n.m_cols; ++c)
                n.m_data[std::size_t(r) * std::size_t(n.m_cols) + std::size_t(c)] =
                    m_data[std::size_t(r) * std::size_t(m_cols) + std::size_t(c)];
        *this = std::move(n);
    }
    int rowUbound() const { return m_rows - 1; }
    int colUbound() const { return m_cols - 1; }
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    bool has(int r, int c) const { return r >= 0 && r < m_rows && c >= 0 && c < m_cols; }

    T &operator()(int r, int c)
    {
        if (!has(r, c))
            throwSubscript();
        return m_data[std::size_t(r) * std::size_t(m_cols) + std::size_t(c)];
    }
    const T &operator()(int r, int c) const
    {
        if (!has(r, c))
            throwSubscript();
        return m_data[std::size_t(r) * std::size_t(m_cols) + std::size_t(c)];
    }
    bool operator==(const Table2D &) const = default;

private:
    int m_rows = 0;
    int m_cols = 0;
    std::vector<T> m_data;
};

}  // namespace mostarium
