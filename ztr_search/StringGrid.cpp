#include "ztr_search/StringGrid.h"

#include <stdexcept>

StringGrid::StringGrid(int colCount, int rowCount)
    : colCount_(colCount > 0 ? colCount : 0)
    , rowCount_(0)
{
    setRowCount(rowCount);
}

void StringGrid::setRowCount(int rowCount)
{
    rowCount_ = rowCount > 0 ? rowCount : 0;
    cells_.resize(static_cast<std::size_t>(colCount_) * static_cast<std::size_t>(rowCount_));
}

std::size_t StringGrid::index(int col, int row) const
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) + static_cast<std::size_t>(col);
}

QString StringGrid::cell(int col, int row) const
{
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_)
        return {};
    return cells_[index(col, row)];
}

void StringGrid::setCell(int col, int row, const QString& text)
{
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_)
        throw std::out_of_range("Grid index out of range");
    cells_[index(col, row)] = text;
}
