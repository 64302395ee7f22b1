#pragma once
// The documentation data of a project: the protocol of changes, the
// title-block fields, the free texts of the drawing sheet and the five
// document links. The drawings and dialogs edit and show them; the project
// file stores them in three blocks, whose writers and readers are here so
// that the project file can reach them.
//
// Texts are held as the dialogs store them (DOS code page); the blocks write
// their bytes unchanged.

#include "foundation/datetexts.h"
#include "foundation/types.h"

#include <string>

class TFileLineReader;

// One change of the protocol: [0] modification, [1] date, [2] responsible,
// [3] description (may hold line breaks).
struct TChangeRec {
    TArray<std::string, 0, 3> Text{};
    friend bool operator==(const TChangeRec&, const TChangeRec&) = default;
};

// One free text of the drawing sheet: position and height in mm, angle in
// degrees (h = 0 keeps the previous text style).
struct TSheetText {
    Extended x = 0, y = 0, h = 0, phi = 0;
    std::string Text;
    friend bool operator==(const TSheetText&, const TSheetText&) = default;
};

// An accompanying document: the program that opens it and its file.
struct TDocLink {
    std::string DocLinkProgram;
    std::string DocLinkFile;
    friend bool operator==(const TDocLink&, const TDocLink&) = default;
};

inline constexpr int MaxChanges = 25;
inline constexpr int MaxSheetTexts = 8;
inline constexpr int DocLinkCount = 5;

struct TDocumentation {
    TArray<TChangeRec, 1, MaxChanges> ChangeList{};
    int ChangeCount = 0; // entries 1..ChangeCount are in use
    std::string DrawnDate, DrawnBy;
    std::string CheckedDate, CheckedBy;
    std::string StandardDate, StandardBy;
    std::string ReleaseDate, ReleaseBy;
    std::string ReplacementFor, ReplacedBy;
    std::string ResponsibleDept, DocumentType, DocumentStatus;
    TArray<TSheetText, 1, MaxSheetTexts> SheetTextLines{};
    int SheetTextCount = 0;
    int SheetTextMode = 0; // 0 "A4", 1 "A3", 2 "A4+A3", 3 "-" (none)
    TArray<TDocLink, 1, DocLinkCount> DocLinkPrograms{};
    friend bool operator==(const TDocumentation&, const TDocumentation&) = default;
};

extern TDocumentation documentation;

// Start-up state: no changes, no free texts, drawn, checked and standard
// date Today, the default document programs.
void ResetDocumentation(const std::string& Today = TodayDateText());
// New project: no changes and no free texts, DrawnDate Today, every other
// title-block text empty; the document links stay.
void ResetChangeProtocol(const std::string& Today = TodayDateText());

// Whether a project file holds the same documentation for A and B: the
// changes, signatures, ISO fields, sheet text mode, document links and free
// texts in use, the free texts' numbers as the file writes them. One empty
// free text at the origin counts as none: the drawing information forms it
// from an empty grid, so that an OK that changed nothing is no change.
bool SameDocumentationSaved(const TDocumentation& A, const TDocumentation& B);

// --- project-file blocks, on the shared text file --------------------------

// "CHANGES", the change count, the changes, the title-block fields and the
// free sheet texts. Line breaks in the texts are written as "|".
void WriteChangesBlock(const TDocumentation& D);
// "documents", 5, and the five document links.
void WriteDocumentsBlock(const TDocumentation& D);
// "ISO 7200 Header", the title-block type, the sheet text mode, the three
// ISO fields and "---".
void WriteIso7200Block(const TDocumentation& D, int TitleBlockType);

// The first value the readers below would refuse (a title-block type
// outside 0 .. 3, a sheet text position beyond 100 m), as a refusal of a save
// says it; empty when all can be read back.
std::string DocumentationRangeFault(const TDocumentation& D, int TitleBlockType);

// The mirrors of the writers, into D; false (and the fault in Reader) at the
// first line that is missing or out of the format. D may then hold part of
// the block: callers read into a copy.
bool ReadChangesBlock(TFileLineReader& Reader, TDocumentation& D);
bool ReadDocumentsBlock(TFileLineReader& Reader, TDocumentation& D);
bool ReadIso7200Block(TFileLineReader& Reader, TDocumentation& D, int& TitleBlockType);
