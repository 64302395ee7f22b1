#include "xbase/qt/xbaseerrorbox_qt.h"

#include "foundation/codepage.h"
#include "xbase/core/dberror.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace
{

// The library's texts are the program's (code page 437, a name in them
// converted where it was put in), shown as the program's boxes show them.
QString Show(const std::string& s)
{
    return QString::fromUtf8(AnsiToUtf8(DisplayText(s)).c_str());
}

// Flags as the library passes them: 1 OK and Cancel, 16 the stop icon.
int32_t ShowBox(const std::string& text, const std::string& caption, uint16_t flags)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(Show(caption));
    box.setText(Show(text));
    box.setIcon((flags & 0xF0) == 16 ? QMessageBox::Critical : QMessageBox::Question);
    if ((flags & 0x0F) == 1) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Cancel ? 2 : 1;
}

} // namespace

void InstallXbaseErrorBox()
{
    dberror.MessageBoxProc = ShowBox;
}
