// Note and progress windows on Qt, offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "xbase/ui/messagewindows.h"

namespace
{

QWidget* VisibleNote()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->windowFlags() & Qt::WindowStaysOnTopHint)) return w;
    return nullptr;
}

TEST(NoteWindowQt, ProgressShowsACaptionedYellowNoteThatNeverWaits)
{
    TestApp();
    platform::PlatformQt qt;
    platform::ScopedPlatform scope(qt);
    {
        TTzProgress100 progress("Appending...");
        QWidget* note = VisibleNote();
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->windowTitle(), QString("Appending..."));
        EXPECT_EQ(note->palette().color(QPalette::Window), QColor(255, 255, 0));
        const QLabel* label = note->findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString(100, '|'));
        for (int i = 0; i < 100; ++i)
            progress.Step();
        EXPECT_EQ(label->text(), QString());
        EXPECT_GE(note->width(), progress.Width);
    }
    EXPECT_EQ(VisibleNote(), nullptr); // freed with the progress object
}

TEST(NoteWindowQt, MessageNoteIsBorderless)
{
    TestApp();
    platform::PlatformQt qt;
    platform::ScopedPlatform scope(qt);
    TTzMsg msg;
    msg.ShowMsg("Packing PARTS.DBF");
    QWidget* note = VisibleNote();
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->windowFlags() & Qt::FramelessWindowHint);
}

} // namespace
