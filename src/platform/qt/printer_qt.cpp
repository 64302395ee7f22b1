#include "platform/qt/printer_qt.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

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

bool PrinterImplQt::HasDestination() const
{
    // Without a printer the toolkit writes PDF, and without a file name
    // it has nowhere to write it.
    if (printer_->outputFormat() == QPrinter::PdfFormat) return !printer_->outputFileName().isEmpty();
    return !printer_->printerName().isEmpty();
}

bool PrinterImplQt::BeginDoc(const std::string& title)
{
    cause_.clear();
    if (painter_) {
        cause_ = "another printout is still running";
        return false;
    }
    if (!HasDestination()) {
        cause_ = "no printer is set up; choose one, or printing to a file, in the print dialog";
        return false;
    }
    printer_->setDocName(ToQString(title));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        cause_ = CauseOfFailure();
        // The toolkit's printer stays busy after a start that failed and
        // refuses every new setting; a fresh one takes its place.
        Renew();
        return false;
    }
    painter_ = std::move(painter);
    canvas_ = std::make_unique<CanvasImplQt>(*painter_);
    return true;
}

std::string PrinterImplQt::CauseOfFailure() const
{
    if (printer_->outputFormat() == QPrinter::NativeFormat) {
        // What the print system says of the printer is all there is to tell:
        // the toolkit gives no reason for a refusal.
        const std::string name = "the printer " + FromQString(printer_->printerName());
        const QPrinterInfo info = QPrinterInfo::printerInfo(printer_->printerName());
        if (info.isNull()) return name + " is not known to the print system";
        switch (info.state()) {
        case QPrinter::Idle:
            return name + " is idle but does not take the document";
        case QPrinter::Active:
            return name + " is busy and does not take the document";
        case QPrinter::Aborted:
            return name + " has aborted its jobs";
        case QPrinter::Error:
            return name + " reports an error";
        }
        return name + " does not take the document";
    }
    // The file is tried the way the toolkit opens it, without truncating
    // one that exists; one made only by the trial goes again. The file
    // itself stays with the toolkit: only the message names it, from the
    // name's bytes, in the message's Windows text ("?" for a character it
    // cannot hold).
    QFile file(printer_->outputFileName());
    const std::string name = Utf8ToCp1252(FileNameFromQString(file.fileName()), '?');
    const bool existed = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return name + " cannot be written (" + FromQString(file.errorString()) + ")";
    file.close();
    if (!existed) file.remove();
    return name + " cannot be written";
}

void PrinterImplQt::Renew()
{
    const QPrinter& old = *printer_;
    auto fresh = old.outputFormat() == QPrinter::NativeFormat
                     ? std::make_unique<QPrinter>(QPrinterInfo::printerInfo(old.printerName()),
                                                  QPrinter::HighResolution)
                     : std::make_unique<QPrinter>(QPrinter::HighResolution);
    fresh->setOutputFormat(old.outputFormat());
    if (old.outputFormat() == QPrinter::PdfFormat) fresh->setOutputFileName(old.outputFileName());
    fresh->setPageLayout(old.pageLayout());
    fresh->setFullPage(old.fullPage());
    fresh->setCopyCount(old.copyCount());
    fresh->setCollateCopies(old.collateCopies());
    fresh->setColorMode(old.colorMode());
    fresh->setDuplex(old.duplex());
    fresh->setPageOrder(old.pageOrder());
    fresh->setDocName(old.docName());
    printer_ = std::move(fresh);
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
