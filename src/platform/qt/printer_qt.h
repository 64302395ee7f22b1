#pragma once
#include <QString>
#include <memory>

#include "platform/printer.h"

class QPrinter;
class QPainter;

namespace platform
{

class CanvasImplQt;

class PrinterImplQt final : public Printer
{
  public:
    PrinterImplQt();
    ~PrinterImplQt() override;
    void SetOrientation(PageOrientation orientation) override;
    PageOrientation Orientation() const override;
    bool ChoosePrinter() override;
    bool ChoosePages(int Count, int& From, int& To) override;
    bool HasDestination() const override;
    std::string FileToReplace() const override;
    void DropDialogChoice() override { takenInDialog_.clear(); }
    bool BeginDoc(const std::string& title) override;
    std::string FailureCause() const override { return cause_; }
    void NewPage() override;
    bool EndDoc() override;
    Unwritten WriteFailure() const override { return unwritten_; }
    void Abort() override;
    bool Printing() const override { return painter_ != nullptr; }
    int PageWidthPixels() const override;
    int PageHeightPixels() const override;
    double PageWidthMm() const override;
    double PageHeightMm() const override;
    Canvas& PageCanvas() override;

    // The toolkit's printer. A document that failed to start replaces it by
    // a fresh one with the same settings, so take it anew each time.
    QPrinter& QtPrinter() { return *printer_; }

  private:
    std::string CauseOfFailure(int error = 0) const;
    bool TakeDialogChoice(bool accepted);
    void Renew();
    bool WriteBesideTarget();
    bool Deliver();
    void DropTemp();

    std::unique_ptr<QPrinter> printer_;
    std::string cause_;
    // A print to a file: the name as chosen, the file it replaces (where a
    // link points) and the temporary file the document goes to meanwhile.
    QString chosen_;
    // The output file the print dialog took for the next document.
    QString takenInDialog_;
    std::string target_;
    std::string temp_;
    Unwritten unwritten_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<CanvasImplQt> canvas_;
};

} // namespace platform
