// A grid of texts addressed by column and row, as a string grid holds them, for a grid that is
// never shown: the add-disc window carries the entries read from a disc in one. No widget.
#pragma once

#include <QString>
#include <vector>

class StringGrid {
public:
    StringGrid(int colCount, int rowCount);

    int colCount() const { return colCount_; }
    int rowCount() const { return rowCount_; }
    // New rows are empty; rows cut off are gone.
    void setRowCount(int rowCount);

    // A cell outside the grid reads as empty.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

private:
    std::size_t index(int col, int row) const;

    int colCount_;
    int rowCount_;
    std::vector<QString> cells_;
};
