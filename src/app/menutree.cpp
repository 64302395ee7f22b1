#include "app/menutree.h"

#include "app/menutexts.h"
#include "foundation/messagecollector.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "platform/platform.h"

#include <initializer_list>

TMainMenu mainmenu;

using platform::MenuEntryKind;
using platform::MenuEntrySpec;

namespace
{

MenuEntrySpec* FindIn(std::vector<MenuEntrySpec>& Entries, const std::string& Name)
{
    for (auto& e : Entries) {
        if (!e.Name.empty() && e.Name == Name) return &e;
        if (MenuEntrySpec* f = FindIn(e.Children, Name)) return f;
    }
    return nullptr;
}

} // namespace

MenuEntrySpec* TMainMenu::Find(const std::string& Name)
{
    return FindIn(Bar.Menus, Name);
}

const MenuEntrySpec* TMainMenu::Find(const std::string& Name) const
{
    return platform::FindMenuEntry(Bar, Name);
}

std::string RecentItemName(int I)
{
    return "mi_file" + std::to_string(I);
}

bool ApplyMainMenuEnabling()
{
    bool changed = false;
    const auto set = [&changed](MenuEntrySpec& e, bool Enabled) {
        changed = changed || e.Enabled != Enabled;
        e.Enabled = Enabled;
    };
    if (auto* e = mainmenu.Find(ErrorMessagesItem)) {
        const std::string caption =
            menutexts.MenuTextErrorMessages + " (" + std::to_string(error0.ErrorCount) + ")";
        changed = changed || e->Caption != caption || e->CodePage != GeneralCodePage();
        e->Caption = caption;
        e->CodePage = GeneralCodePage();
        set(*e, error0.ErrorCount > 0);
    }
    const bool spectrum = PlanetaryStage.LoadSpectrumCount > 0;
    for (const char* name :
         {"mi_viewLastkollektiv", "mi_viewprintlastkollektiv", "mi_cadLastkollektivAusgabe"})
        if (auto* e = mainmenu.Find(name)) set(*e, spectrum);
    if (auto* e = mainmenu.Find("mi_viewprintwaelzlager"))
        set(*e, PlanetBearingDefined(1) || PlanetBearingDefined(2));
    return changed;
}

void PublishMainMenu()
{
    platform::CurrentPlatform().MainWindow().SetMenuBar(mainmenu.Bar);
}
