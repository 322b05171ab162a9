// drillbay_xlsxwrite FILE SHEET: writes one sheet of cells to the workbook
// FILE, reading the cells from standard input, one record each:
//   "W <column> <width>\n"            a column's width
//   "N <row> <column> <number>\n"     a number
//   "S <row> <column> <bytes>\n" and that many bytes of UTF-8 text
// Rows must come in order. Exits with 0 when the workbook was written, 1 with
// the reason on standard error otherwise, 2 on wrong arguments.
#include <cstdio>
#include <string>
#include <xlsxwriter.h>

namespace {

int fail(const char *reason)
{
    std::fprintf(stderr, "%s\n", reason);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: drillbay_xlsxwrite FILE SHEET < cells\n", stderr);
        return 2;
    }
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(argv[1], &options);
    if (!workbook)
        return fail("cannot create the workbook");
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, argv[2]);
    if (!sheet) {
        workbook_close(workbook);
        return fail("cannot add the sheet");
    }
    lxw_error failure = LXW_NO_ERROR;
    char kind = 0;
    std::string text;
    while (failure == LXW_NO_ERROR && std::fscanf(stdin, " %c", &kind) == 1) {
        unsigned long row = 0;
        unsigned long column = 0;
        double number = 0;
        unsigned long length = 0;
        if (kind == 'W' && std::fscanf(stdin, "%lu %lf", &column, &number) == 2) {
            failure = worksheet_set_column(sheet, static_cast<lxw_col_t>(column),
                                           static_cast<lxw_col_t>(column), number, nullptr);
        } else if (kind == 'N' && std::fscanf(stdin, "%lu %lu %lf", &row, &column, &number) == 3) {
            failure = worksheet_write_number(sheet, static_cast<lxw_row_t>(row),
                                             static_cast<lxw_col_t>(column), number, nullptr);
        } else if (kind == 'S' && std::fscanf(stdin, "%lu %lu %lu", &row, &column, &length) == 3 &&
                   std::fgetc(stdin) == '\n' && length < (1UL << 20)) {
            text.resize(length);
            if (length > 0 && std::fread(text.data(), 1, length, stdin) != length) {
                workbook_close(workbook);
                return fail("the cells end early");
            }
            failure = worksheet_write_string(sheet, static_cast<lxw_row_t>(row),
                                             static_cast<lxw_col_t>(column), text.c_str(), nullptr);
        } else {
            workbook_close(workbook);
            return fail("a record is not understood");
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (failure != LXW_NO_ERROR)
        return fail(lxw_strerror(failure));
    if (closed != LXW_NO_ERROR)
        return fail(lxw_strerror(closed));
    return 0;
}
