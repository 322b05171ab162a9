#pragma once

#include <QString>

// The limits of a question list read from a file or a paste: the file size,
// and counts of lines, rows and cells, so that no input can hold the program
// or its memory for long.
namespace listbudget {

inline constexpr qint64 kFileBytes = 20 * 1024 * 1024;
inline constexpr int kLines = 500000;
inline constexpr int kRows = 200000;
inline constexpr int kCells = 2000000;
inline constexpr int kColumns = 256;

inline const QString kTooLarge = QStringLiteral("[软件提示]：文件超过 20 MB，无法导入.");
inline const QString kTooManyLines = QStringLiteral("[软件提示]：文件的行数太多，无法导入.");
inline const QString kInflatesTooMuch =
    QStringLiteral("[软件提示]：文件中的内容解压后过大，已拒绝读取.");

} // namespace listbudget
