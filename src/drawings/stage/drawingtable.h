#pragma once
// A simple framed table of text cells for the stage sheets (the six drive
// configurations): up to nine columns whose widths are given in
// characters, an optional heading row, and rules under every row and
// between the columns. Everything is drawn at once through the CAD layer,
// row by row from the top down; rules go to layer 3, texts to layer 4.
//
//   TAusTabelle t = TableCreate(x0, y0, 2.5, {3, 6, 6}, {"", "   S", "   C"});
//   TableAddRow(t, {"1", "in", "out"});
//
// Row k (the heading row, when there is one, is row 1) spans y0 - 2 k h up
// to y0 - 2 (k - 1) h; its texts stand on the base line
// y0 - 1.5 h - 2 (k - 1) h, each with one leading blank at the left
// boundary of its column. A text longer than its column runs into the
// next column; nothing is cut.

#include "foundation/types.h"

#include <initializer_list>
#include <string>

struct TAusTabelle {
    static constexpr int RuleLayer = 3;
    static constexpr int TextLayer = 4;

    // Column boundaries; X[1] is the left edge, X[i + 1] = X[i] + 0.9 h w_i.
    TArray<Extended, 1, 10> X{};
    // Upper edge of the table (the y it was created at).
    Extended Top = 0;
    // Lower edge of the row written next: its rules hang from here.
    Extended RowTop = 0;
    // Base line of the texts of the row written next.
    Extended TextY = 0;
    // Texts of the row written next (the headings at creation).
    TArray<std::string, 1, 9> Cells{};
    Extended TextHeight = 0;
    Extended RowHeight = 0;
    // Index of the right edge among the boundaries, 1 .. 10: the first
    // width of 0 ends the table, later widths are ignored.
    int Count = 0;
    int FirstColumn = 1;
    bool HorizontalRules = true;
    // False: only the outer two column rules.
    bool VerticalRules = true;
};

// Opens the table at its upper left corner (X0, Y0) with text height H:
// widths w1 .. w9 in characters (missing ones 0) and the headings (missing
// ones empty). Draws the frame of the first row and, when any heading is
// not empty, the heading row into it; with all headings empty the first
// row added takes the heading row's place.
TAusTabelle TableCreate(Extended X0, Extended Y0, Extended H, std::initializer_list<Extended> Widths,
                        std::initializer_list<std::string> Headings);

// One row below the previous one: the rule under it, its column rules and
// its texts (missing cells empty).
void TableAddRow(TAusTabelle& Table, std::initializer_list<std::string> Cells);

// Writes the current cells of the table and moves one row down.
void TableDraw(TAusTabelle& Table);
