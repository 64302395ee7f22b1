#pragma once
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
    bool BeginDoc(const std::string& title) override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override { return painter_ != nullptr; }
    int PageWidthPixels() const override;
    int PageHeightPixels() const override;
    double PageWidthMm() const override;
    double PageHeightMm() const override;
    Canvas& PageCanvas() override;

    QPrinter& QtPrinter() { return *printer_; }

  private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<CanvasImplQt> canvas_;
};

} // namespace platform
