#include "platform/qt/menustyle_qt.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include <cmath>

namespace platform
{

namespace
{

// The accelerator markers of a caption that end a run of one script right
// before a key letter of another: the "&" of a Chinese or Korean caption's
// "(&T)" after the word. "&&" is a drawn "&", no marker.
int MarkersBetweenScripts(const QString& caption)
{
    int markers = 0;
    QChar::Script run = QChar::Script_Common;
    for (qsizetype i = 0; i < caption.size() && caption[i] != u'\t'; ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            const QChar::Script key = caption[++i].script();
            if (caption[i] != u'&' && run > QChar::Script_Common && key > QChar::Script_Common && key != run)
                ++markers;
            if (key > QChar::Script_Common) run = key;
        } else if (caption[i].script() > QChar::Script_Common) {
            run = caption[i].script();
        }
    }
    return markers;
}

// The style elides a caption to the room the menu measured for it, but its
// eliding counts such a marker as a drawn character (a "(" and the "&"
// join the run before them, and only a marker inside a run is left out),
// while the menu measured the caption without it: the Chinese "Open...
// (Table)" lost its middle to an ellipsis. Each such item gets the
// markers' width besides.
class MenuCaptionStyle final : public QProxyStyle
{
  public:
    // A style of the application's kind (the proxy owns it).
    MenuCaptionStyle() : QProxyStyle(QApplication::style()->name()) {}
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        QSize room = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type == CT_MenuItem && item)
            room.rwidth() += MarkersBetweenScripts(item->text) *
                             static_cast<int>(std::ceil(QFontMetricsF(item->font).horizontalAdvance(u'&')));
        return room;
    }
};

} // namespace

void FitMenuCaptions(QMenu& menu)
{
    // One style for every menu, going with the application.
    static QPointer<MenuCaptionStyle> style;
    if (!style) {
        style = new MenuCaptionStyle;
        style->setParent(QApplication::instance());
    }
    menu.setStyle(style);
}

} // namespace platform
