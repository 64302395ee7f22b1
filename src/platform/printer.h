#pragma once
// Printed output: a document of pages, each drawn on its own canvas in the
// printer's pixels. The page size in millimetres lets a caller scale a
// drawing to paper.

#include <functional>
#include <string>

#include "platform/canvas.h"
#include "platform/messagebox.h"

namespace platform
{

enum class PageOrientation { Portrait, Landscape };

class Printer
{
  public:
    virtual ~Printer() = default;

    // The paper's orientation for the documents begun from now on. The
    // printer keeps it: a graphics printout turns it to landscape, and a
    // text printout sets portrait again for itself.
    virtual void SetOrientation(PageOrientation orientation) = 0;
    virtual PageOrientation Orientation() const = 0;

    // The print dialog; false when the user cancelled (nothing is printed).
    virtual bool ChoosePrinter() = 0;
    // The print dialog of a printout of Count pages: it offers the pages
    // 1..Count, and From and To come back as the user chose them (all the
    // pages unless a range was chosen). False when the user cancelled. By
    // default the dialog without a range, and every page.
    virtual bool ChoosePages(int Count, int& From, int& To)
    {
        From = 1;
        To = Count;
        return ChoosePrinter();
    }
    // Whether a printer or an output file is chosen. A desktop without a
    // printer has neither until the user picks one in the print dialog.
    virtual bool HasDestination() const = 0;
    // The file that the next document, printed to a file, would replace
    // although no print dialog took its name for it: the name an earlier
    // printout left. The print dialog asks itself before it takes a file
    // that exists; a printout that starts without it does not pass there.
    // Empty for a printer, a file not there yet or not a plain file (written
    // in place), and a name taken in the dialog since the last document.
    virtual std::string FileToReplace() const { return {}; }
    // The printout whose print dialog took a name ends without a document
    // (its own dialog cancelled): the name counts as asked for no longer, and
    // the next printout onto that file asks.
    virtual void DropDialogChoice() {}
    // Starts a document; false when no printer can take it, and then
    // FailureCause says why. The printer stays usable: the next document
    // may go elsewhere.
    virtual bool BeginDoc(const std::string& title) = 0;
    // The reason the last BeginDoc failed, for the user; empty after one
    // that succeeded.
    virtual std::string FailureCause() const = 0;
    virtual void NewPage() = 0;
    // Ends the document. A print to a file goes to a temporary file beside
    // it that replaces the file only when the whole document got there; the
    // toolkit would not say that a write failed. False when the document
    // could not be written: the old file stays as it was, and WriteFailure
    // names the file and the cause.
    virtual bool EndDoc() = 0;
    struct Unwritten {
        std::string File; // the name's bytes as the file system has them
        int Error = 0;    // the system's errno; 0 when it gave none
    };
    // The file of the last EndDoc that failed.
    virtual Unwritten WriteFailure() const { return {}; }
    // Throws the document away instead of printing it.
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;

    virtual int PageWidthPixels() const = 0;
    virtual int PageHeightPixels() const = 0;
    virtual double PageWidthMm() const = 0;
    virtual double PageHeightMm() const = 0;
    // Canvas of the current page; valid between BeginDoc and EndDoc.
    virtual Canvas& PageCanvas() = 0;
};

// How a print to a file makes its temporary file beside Target and lets go
// of the name once the file is renamed or removed. The program installs the
// maker that a run ended by a signal takes along, and that finds room for a
// long name; until then Target + ".XXXXXX" is made as mkstemp makes it.
// MakeTempBeside returns the descriptor, or -1 with errno set.
struct PrintFileServices {
    std::function<int(const std::string& Target, std::string& Temp)> MakeTempBeside;
    std::function<void(const std::string& Temp)> Release;
};
PrintFileServices& PrintFiles();

// The message of a printout that cannot start, naming the cause.
void ShowPrintoutRefused(MessageBoxes& messages, const std::string& cause);

// Starts a document on the printer as a print command does: with no printer
// set up it first asks where to print (a cancel there prints nothing and
// says nothing); a file that the document would replace unasked
// (FileToReplace) is replaced only when mayReplace agrees; a printer that
// cannot start says why in a message. False when there is no document to
// draw on.
bool StartPrintout(Printer& printer, MessageBoxes& messages, const std::string& title,
                   const std::function<bool(const std::string& file)>& mayReplace);

} // namespace platform
