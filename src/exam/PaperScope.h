#pragma once

#include <QtGlobal>

// Which stored draw a mock paper shows: one quota row, or every row of a bank.
struct PaperScope
{
    enum class Kind
    {
        QuotaRow,
        Bank
    };

    Kind kind = Kind::Bank;
    qint64 id = 0; // the rand_num row or the bank

    static PaperScope ofRow(qint64 rowId) { return {Kind::QuotaRow, rowId}; }
    static PaperScope ofBank(qint64 bankId) { return {Kind::Bank, bankId}; }
};
