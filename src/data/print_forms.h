// Print form definitions: the fifteen forms that lay out the printed and exported lists, and PrintSet.dat.
#pragma once

#include <QString>

#include <array>

namespace tovrel {

inline constexpr int PrintFormCount = 15;
inline constexpr int PrintRowCount = 20;
inline constexpr int PrintListCount = 7;
// Bytes an item name is padded to.
inline constexpr int PrintItemBytes = 10;

struct PrintColumn {
    QString item, id, mark, heading, align, width;

    bool operator==(const PrintColumn& other) const = default;
};

struct PrintForm {
    QString name, title, kind, listId;
    int orientation = 0;                              // 0 portrait, 1 landscape
    std::array<PrintColumn, PrintRowCount + 1> rows;  // rows[1..20]; rows[0] unused

    int ListIdNumber() const;

    bool operator==(const PrintForm& other) const = default;
};

using PrintForms = std::array<PrintForm, PrintFormCount + 1>;  // forms[1..15]; forms[0] unused

// The seven printable lists, by list ID 1..7; empty texts outside that range.
QString PrintListName(int listId);
QString PrintListTitle(int listId);
QString PrintListKind(int listId);

// The list a form belongs to (0 for a form number outside 1..15) and its suffix digit within it.
int FormListId(int formNumber);

// The caption of a window's print or CSV menu item: the form's name or title, "(&", number, ")...".
QString FormItemCaption(const QString& text, int number);
int FormSuffix(int formNumber);

// A row of the list's built-in table; rows past the table's end are empty rows.
PrintColumn DefaultPrintColumn(int listId, int row);

void ResetPrintForm(PrintForms& forms, int n);
void ResetAllPrintForms(PrintForms& forms);

// Missing file: every form is reset to its defaults and the file written. Otherwise the headers and
// rows are read from it ("00S" becomes "01S", an orientation that is not a number becomes 0).
bool LoadPrintForms(const QString& path, PrintForms& forms, QString* error);
bool SavePrintForms(const QString& path, const PrintForms& forms, QString* error);
bool SavePrintForm(const QString& path, const PrintForms& forms, int n, QString* error);

// What the print tab stores for a grid row (cells = grid columns 1..6).
PrintColumn NormalizePrintColumn(const std::array<QString, 6>& cells);

// The print tab's grid cells (rows 1..20, columns 1..6) and header fields as form n stores them
// when registered; commas in the name and title become "." as in the file.
using PrintGridCells = std::array<std::array<QString, 6>, PrintRowCount + 1>;
PrintForm PrintFormFromTab(const QString& name, const QString& title, const QString& kind,
                           const QString& listId, int orientation, const PrintGridCells& cells);

// Double click on the mark cell: "○" and two spaces in turn. On the alignment cell: left, centre,
// right, left.
QString ToggledPrintMark(const QString& mark);
QString NextPrintAlign(const QString& align);

// Whether the column row is output ("○").
bool IsPrintedColumn(const PrintColumn& column);

}  // namespace tovrel
