#pragma once
// What the business layer may see of the record form's items grid when a quote is
// saved: its size and the text of each cell, nothing else.

#include <QString>

class IGradeDeItens {
public:
    virtual ~IGradeDeItens() = default;
    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
};
