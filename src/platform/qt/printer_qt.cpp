#include "platform/qt/printer_qt.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/qt/canvas_qt.h"
#include "platform/qt/qttext.h"

namespace platform
{

namespace
{

// Whether the file holds the whole document the PDF engine made: it ends
// with the end-of-file mark, and its cross-reference table starts where the
// trailer says. A write that fell short or lost bytes on the way leaves one
// or the other wrong. Error gets the system's reason where it gave one.
bool WholePdf(const std::string& path, int& error)
{
    error = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    // On the disk now: a disk that fills only while the file is put there
    // says so here.
    struct stat st {
    };
    bool whole = ::fsync(fd) == 0 && ::fstat(fd, &st) == 0;
    if (!whole) error = errno;
    char tail[256] = {};
    const off_t at = whole ? std::max<off_t>(st.st_size - off_t(sizeof tail - 1), 0) : 0;
    whole = whole && ::pread(fd, tail, sizeof tail - 1, at) == st.st_size - at;
    std::string end(tail, static_cast<std::size_t>(whole ? st.st_size - at : 0));
    while (!end.empty() && (end.back() == '\n' || end.back() == '\r'))
        end.pop_back();
    const std::size_t mark = end.rfind("startxref");
    whole = whole && end.ends_with("%%EOF") && mark != std::string::npos;
    char xref[4] = {};
    if (whole) {
        long long offset = 0;
        const std::size_t digits = end.find_first_not_of(" \t\r\n", mark + 9);
        if (digits != std::string::npos)
            std::from_chars(end.data() + digits, end.data() + end.size(), offset);
        whole = offset > 0 && offset < st.st_size && ::pread(fd, xref, 4, offset) == 4 &&
                std::memcmp(xref, "xref", 4) == 0;
    }
    ::close(fd);
    return whole;
}

// The toolkit keeps the reason its write failed to itself. The same kind of
// write tried again at the end of the file that fell short meets it again:
// the file-size limit, a full disk. 0 when up to a megabyte more goes in.
int WriteErrorOf(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return errno;
    static const char block[65536] = {};
    int error = 0;
    for (int i = 0; i < 16 && error == 0; ++i)
        if (::write(fd, block, sizeof block) < 0 && errno != EINTR) error = errno;
    ::close(fd);
    return error;
}

} // namespace

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
    return TakeDialogChoice(dialog.exec() == QDialog::Accepted);
}

bool PrinterImplQt::TakeDialogChoice(bool accepted)
{
    // The dialog asked before it took a file that exists.
    takenInDialog_ =
        accepted && printer_->outputFormat() == QPrinter::PdfFormat ? printer_->outputFileName() : QString();
    return accepted;
}

bool PrinterImplQt::ChoosePages(int Count, int& From, int& To)
{
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, Count);
    dialog.setFromTo(1, Count);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    const bool chosen = TakeDialogChoice(dialog.exec() == QDialog::Accepted);
    From = 1;
    To = Count;
    if (chosen && dialog.printRange() == QAbstractPrintDialog::PageRange) {
        From = dialog.fromPage();
        To = dialog.toPage();
    }
    // The program prints the chosen pages only; the printer keeps no range,
    // so that no print system picks pages again among those it gets.
    printer_->setPrintRange(QPrinter::AllPages);
    printer_->setFromTo(0, 0);
    return chosen;
}

bool PrinterImplQt::HasDestination() const
{
    // Without a printer the toolkit writes PDF, and without a file name
    // it has nowhere to write it.
    if (printer_->outputFormat() == QPrinter::PdfFormat) return !printer_->outputFileName().isEmpty();
    return !printer_->printerName().isEmpty();
}

std::string PrinterImplQt::FileToReplace() const
{
    if (printer_->outputFormat() != QPrinter::PdfFormat) return {};
    const QString name = printer_->outputFileName();
    if (name.isEmpty() || name == takenInDialog_) return {};
    const std::string file = FileNameFromQString(name);
    struct stat st {
    };
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return file;
}

bool PrinterImplQt::BeginDoc(const std::string& title)
{
    cause_.clear();
    // What the dialog took counts for this one document.
    takenInDialog_.clear();
    if (painter_) {
        cause_ = "another printout is still running";
        return false;
    }
    if (!HasDestination()) {
        cause_ = "no printer is set up; choose one, or printing to a file, in the print dialog";
        return false;
    }
    printer_->setDocName(ToQString(title));
    if (!WriteBesideTarget()) return false;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        // The toolkit's printer stays busy after a start that failed and
        // refuses every new setting; a fresh one takes its place.
        Renew();
        DropTemp();
        cause_ = CauseOfFailure();
        return false;
    }
    painter_ = std::move(painter);
    canvas_ = std::make_unique<CanvasImplQt>(*painter_);
    return true;
}

bool PrinterImplQt::WriteBesideTarget()
{
    chosen_.clear();
    if (printer_->outputFormat() != QPrinter::PdfFormat) return true;
    std::string target = FileNameFromQString(printer_->outputFileName());
    struct stat st {
    };
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A device or a pipe is written in place: a file renamed over it would
    // take its place.
    if (exists && !S_ISREG(st.st_mode)) return true;
    // A link keeps pointing at the file: the printout replaces the file it
    // points to.
    if (char* real = exists ? ::realpath(target.c_str(), nullptr) : nullptr) {
        target = real;
        std::free(real);
    }
    std::string temp;
    const int fd = PrintFiles().MakeTempBeside(target, temp);
    if (fd < 0) {
        cause_ = CauseOfFailure(errno);
        return false;
    }
    // The printout keeps the mode of the file it replaces; a new file gets
    // the mode any new file gets (the umask can only be read by setting it).
    mode_t mode = st.st_mode & 07777;
    if (!exists) {
        mode = ::umask(0);
        ::umask(mode);
        mode = 0666 & ~mode;
    }
    ::fchmod(fd, mode);
    ::close(fd);
    chosen_ = printer_->outputFileName();
    target_ = target;
    temp_ = temp;
    printer_->setOutputFileName(FileNameToQString(temp));
    return true;
}

void PrinterImplQt::DropTemp()
{
    if (chosen_.isEmpty()) return;
    ::unlink(temp_.c_str());
    PrintFiles().Release(temp_);
    // The print dialog shows the file chosen again.
    printer_->setOutputFileName(chosen_);
    chosen_.clear();
}

bool PrinterImplQt::Deliver()
{
    unwritten_ = {};
    if (chosen_.isEmpty()) return true;
    int error = 0;
    if (WholePdf(temp_, error)) {
        if (::rename(temp_.c_str(), target_.c_str()) == 0) {
            PrintFiles().Release(temp_);
            printer_->setOutputFileName(chosen_);
            chosen_.clear();
            return true;
        }
        error = errno;
    } else if (error == 0) {
        error = WriteErrorOf(temp_);
    }
    unwritten_ = {FileNameFromQString(chosen_), error};
    DropTemp();
    return false;
}

std::string PrinterImplQt::CauseOfFailure(int error) const
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
    if (error != 0) return name + " cannot be written (" + FromQString(qt_error_string(error)) + ")";
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

bool PrinterImplQt::EndDoc()
{
    if (!painter_) return true;
    canvas_.reset();
    const bool ended = painter_->end();
    painter_.reset();
    const bool delivered = Deliver();
    // A write that failed in the middle of the document leaves the toolkit's
    // printer holding the file it failed on: the next document would go
    // there, and the file chosen for it would stay empty. A fresh printer
    // takes its place, as after a start that failed.
    if (!ended || !delivered) Renew();
    return delivered;
}

void PrinterImplQt::Abort()
{
    if (!painter_) return;
    printer_->abort();
    canvas_.reset();
    painter_->end();
    painter_.reset();
    DropTemp();
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
