#include "dialogs/qt/dialogforms_qt.h"

#include "dialogs/qt/online_qt.h"

namespace dialogs_qt
{

void RegisterDialogForms(platform::DialogHostImplQt& host)
{
    RegisterOnlineForm(host);
}

} // namespace dialogs_qt
