// TForm_qyr7text: the drawing texts.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/stageforms_qt.h"
#include "dialogs/stage/textsform.h"

#include <string>

namespace dialogs_qt
{

namespace
{

std::unique_ptr<QDialog> TextsLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 760, 400);
    QDialog* f = form.get();
    const int col[3] = {140, 340, 500};
    const int width[3] = {190, 150, 240};
    const char* columns[3] = {"Label_zname", "Label_znr", "Label_extzname"};
    const char* edits[3] = {"Edit_zname", "Edit_znr", "Edit_extzname"};
    const char* rows[5] = {"Label_getriebe", "Label1", "Label2", "Label3", "Label4"};
    for (int c = 0; c < 3; ++c) {
        // Column captions over the gear-unit row and over the gear rows.
        PlaceLabel(f, (std::string(columns[c]) + "0").c_str(), col[c], 8, width[c]);
        PlaceLabel(f, (std::string(columns[c]) + "1").c_str(), col[c], 64, width[c]);
    }
    for (int r = 0; r <= 4; ++r) {
        const int y = r == 0 ? 30 : 86 + 30 * (r - 1);
        PlaceLabel(f, rows[r], 8, y + 2, 130);
        for (int c = 0; c < 3; ++c) {
            const std::string name = std::string(edits[c]) + std::to_string(r);
            PlaceEdit(f, name.c_str(), col[c], y, width[c] - 8,
                      static_cast<int>(TForm_qyr7text::MaxLength(name)));
        }
    }
    for (int i = 1; i <= 3; ++i) {
        const int y = 220 + 30 * (i - 1);
        PlaceLabel(f, ("Label_bemerk" + std::to_string(i)).c_str(), 8, y + 2, 130);
        PlaceEdit(f, ("Edit_bemerk" + std::to_string(i)).c_str(), 140, y, 600,
                  static_cast<int>(TForm_qyr7text::RemarkLength));
    }
    PlaceButtonRow(f, 8, 350, {"Button_OK", "Button_CANCEL"});
    return form;
}

} // namespace

void RegisterTextsForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7text", TextsLayout);
}

} // namespace dialogs_qt
