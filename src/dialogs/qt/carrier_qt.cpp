// TForm_qyr7carr: the planet carrier, with a picture of the three carrier
// forms drawn here.
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/stageforms_qt.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace dialogs_qt
{

namespace
{

// One carrier form in axial section, upper half above the centre line:
// form 1 two cheeks joined by the planet pins with the coupling shaft on
// the output side, form 2 the same carrier with its shaft on the input
// side, form 3 a carrier without a shaft (bore for a spline hub).
void DrawCarrierForm(QPainter& p, const QRect& box, int form)
{
    const int axisY = box.bottom() - 30;
    // Form 2 has its shaft on the other side: the cheeks move right.
    const int x0 = box.left() + (form == 2 ? 46 : 14);
    const QBrush section(QColor(190, 190, 190));
    p.setPen(QPen(Qt::black, 1.5));
    // Cheeks: two plates reaching past the planet pin circle.
    const QRect cheekA(x0, axisY - 90, 8, 74);
    const QRect cheekB(x0 + 36, axisY - 90, 8, 74);
    p.fillRect(cheekA, section);
    p.drawRect(cheekA);
    p.fillRect(cheekB, section);
    p.drawRect(cheekB);
    // Planet pin between the cheeks and the planet on it.
    p.drawLine(x0 + 8, axisY - 70, x0 + 36, axisY - 70);
    p.drawRect(QRect(x0 + 12, axisY - 82, 20, 24));
    if (form != 3) {
        // The coupling shaft: diameter dC, length lC.
        const int shaftX = form == 1 ? x0 + 44 : x0 - 32;
        const QRect shaft(shaftX, axisY - 16, 32, 16);
        p.fillRect(shaft, section);
        p.drawRect(shaft);
    } else {
        // Without a shaft the carrier ends in a bore.
        p.drawLine(x0, axisY - 16, x0 + 44, axisY - 16);
    }
    // Centre line, dash-dot.
    p.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
    p.drawLine(box.left() + 4, axisY, box.right() - 4, axisY);
    p.setPen(Qt::black);
    p.drawText(QRect(box.left(), box.bottom() - 22, box.width(), 20), Qt::AlignCenter, QString::number(form));
}

QPixmap CarrierFormsPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = width / 3;
    for (int form = 1; form <= 3; ++form)
        DrawCarrierForm(p, QRect(w * (form - 1), 0, w, height), form);
    p.end();
    return QPixmap::fromImage(image);
}

std::unique_ptr<QDialog> CarrierLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 760, 400);
    QDialog* f = form.get();
    struct Row {
        const char* label;
        const char* edit;
        const char* unit;
        const char* button;
    };
    const Row rows[] = {{"Label_dshs", "Edit_dshs", "Label_dshsu", "Button_dshs"},
                        {"Label_dshpi", "Edit_dshpi", "Label_dshpiu", "Button_dshpi"},
                        {"Label_dshpe", "Edit_dshpe", "Label_dshpeu", "Button_dshpe"},
                        {"Label_hcarrier", "Edit_hcarrier", "Label_hcarrieru", "Button_hcarrier"}};
    int y = 10;
    for (const Row& r : rows) {
        PlaceLabel(f, r.label, 8, y + 2, 270);
        PlaceEdit(f, r.edit, 282, y, 80);
        PlaceLabel(f, r.unit, 366, y + 2, 30);
        PlaceButton(f, r.button, 398, y - 1, 26);
        y += 30;
    }
    PlaceLabel(f, "Label_form", 8, y + 2, 270);
    PlaceCombo(f, "ComboBox_form", 282, y, 80,
               {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    y += 30;
    PlaceCheck(f, "CheckBox_jadcarrier", 8, y, 300);
    y += 30;
    const Row coupling[] = {{"Label_dcarrier", "Edit_dcarrier", "Label_dcarrieru", "Button_dcarrier"},
                            {"Label_lcarrier", "Edit_lcarrier", "Label_lcarrieru", "Button_lcarrier"}};
    for (const Row& r : coupling) {
        PlaceLabel(f, r.label, 8, y + 2, 270);
        PlaceEdit(f, r.edit, 282, y, 80);
        PlaceLabel(f, r.unit, 366, y + 2, 30);
        PlaceButton(f, r.button, 398, y - 1, 26);
        y += 30;
    }
    auto* image = new QLabel(f);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(440, 10, 312, 180);
    image->setPixmap(CarrierFormsPicture(312, 180));
    PlaceButtonRow(f, 8, 350,
                   {"Button_ok", "Button_cancel", "Button_hilfetext", "Button_hilfebild", "Button_metric"});
    return form;
}

} // namespace

void RegisterCarrierForm(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyr7carr", CarrierLayout);
}

} // namespace dialogs_qt
