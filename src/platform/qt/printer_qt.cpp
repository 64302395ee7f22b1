#include "platform/qt/printer_qt.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/canvas_qt.h"
#include "platform/qt/qttext.h"

namespace platform
{

PrinterImplQt::PrinterImplQt() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

PrinterImplQt::~PrinterImplQt()
{
    if (painter_) Abort();
}

void PrinterImplQt::SetOrientation(PageOrientation orientation)
{
    printer_->setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
}

PageOrientation PrinterImplQt::Orientation() const
{
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                                          : PageOrientation::Portrait;
}

bool PrinterImplQt::ChoosePrinter()
{
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool PrinterImplQt::BeginDoc(const std::string& title)
{
    if (painter_) return false;
    printer_->setDocName(ToQString(title));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) return false;
    painter_ = std::move(painter);
    canvas_ = std::make_unique<CanvasImplQt>(*painter_);
    return true;
}

void PrinterImplQt::NewPage()
{
    if (painter_) printer_->newPage();
}

void PrinterImplQt::EndDoc()
{
    if (!painter_) return;
    canvas_.reset();
    painter_->end();
    painter_.reset();
}

void PrinterImplQt::Abort()
{
    if (!painter_) return;
    printer_->abort();
    canvas_.reset();
    painter_->end();
    painter_.reset();
}

int PrinterImplQt::PageWidthPixels() const
{
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
}

int PrinterImplQt::PageHeightPixels() const
{
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
}

double PrinterImplQt::PageWidthMm() const
{
    return printer_->pageLayout().paintRect(QPageLayout::Millimeter).width();
}

double PrinterImplQt::PageHeightMm() const
{
    return printer_->pageLayout().paintRect(QPageLayout::Millimeter).height();
}

Canvas& PrinterImplQt::PageCanvas()
{
    // Outside a document there is no page; a painter on nothing ignores the
    // drawing instead of crashing.
    if (!canvas_) {
        static QPainter idle;
        static CanvasImplQt nowhere(idle);
        return nowhere;
    }
    return *canvas_;
}

} // namespace platform
