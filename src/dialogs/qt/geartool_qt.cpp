// TForm_qyr7prof: a group per gear with its profile list, the four profile
// rows, the protuberance and chamfer rows and the table buttons.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/gearforms_qt.h"
#include "dialogs/qt/layoutkit.h"

#include "dialogs/gear/toolprofileform.h"
#include "platform/qt/qttext.h"

#include <QGroupBox>
#include <QString>
#include <string>

namespace dialogs_qt
{

namespace
{

std::string N(const char* stem, int i)
{
    return std::string(stem) + std::to_string(i);
}

std::unique_ptr<QDialog> ToolLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 1190, 470);
    QDialog* f = form.get();
    const int rowH = 28;
    // Gear 1 carries the long profile names and row captions; gears 2 to 4
    // the short ones.
    int left = 8;
    for (int g = 1; g <= 4; ++g) {
        const int boxW = g == 1 ? 432 : 240, labelW = g == 1 ? 210 : 150, editX = labelW + 10;
        QStringList items;
        for (const std::string& s : TForm_qyr7prof::ProfileItems(g))
            items << platform::ToQString(s);
        auto* box = new QGroupBox(f);
        box->setObjectName(QString::fromStdString(N("GroupBox", g)));
        box->setGeometry(left, 8, boxW, 20 + 13 * rowH);
        left += boxW + 6;
        int y = 20;
        PlaceCombo(box, N("ComboBox", g).c_str(), 6, y, boxW - 12, items);
        y += rowH;
        for (const char* stem : {"hap", "hfp", "rhoap", "rhofp"}) {
            PlaceLabel(box, N((std::string("Label_") + stem).c_str(), g).c_str(), 6, y + 1, labelW);
            PlaceEdit(box, N((std::string("Edit_") + stem).c_str(), g).c_str(), editX, y, 60);
            y += rowH;
        }
        PlaceCheck(box, N("CheckBox_prot", g).c_str(), 6, y, 200);
        y += rowH;
        for (const char* stem : {"alprp", "prp"}) {
            PlaceLabel(box, N((std::string("Label_") + stem).c_str(), g).c_str(), 6, y + 1, labelW);
            PlaceEdit(box, N((std::string("Edit_") + stem).c_str(), g).c_str(), editX, y, 60);
            if (std::string(stem) == "alprp")
                PlaceLabel(box, (N("Label_alprp", g) + "u").c_str(), editX + 62, y + 1, 14);
            y += rowH;
        }
        PlaceCheck(box, N("CheckBox_koka", g).c_str(), 6, y, 200);
        y += rowH;
        for (const char* stem : {"alkp", "hffp"}) {
            PlaceLabel(box, N((std::string("Label_") + stem).c_str(), g).c_str(), 6, y + 1, labelW);
            PlaceEdit(box, N((std::string("Edit_") + stem).c_str(), g).c_str(), editX, y, 60);
            if (std::string(stem) == "alkp")
                PlaceLabel(box, (N("Label_alkp", g) + "u").c_str(), editX + 62, y + 1, 14);
            y += rowH;
        }
        PlaceButton(box, N("Button_db", g).c_str(), 6, y, 72);
        PlaceButton(box, N("Button_online", g).c_str(), 82, y, 72);
        if (g == 1) PlaceButton(box, "Button_append1", 158, y, 96);
    }
    PlaceButtonRow(f, 8, 20 + 13 * rowH + 20,
                   {"Button_ok", "Button_cancel", "Button_help", "Button_hilfebild", "Button_calc",
                    "Button_2gleich1", "Button_3gleich1", "Button_4gleich1", "Button_schneidrad"});
    return form;
}

} // namespace

void RegisterToolProfileForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7prof", ToolLayout);
}

} // namespace dialogs_qt
