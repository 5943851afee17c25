// The two command logs over a session on the deterministic simulated tool.
#include "CommandLogs.h"

#include "EasyShowSendForm.h"
#include "SendCommands.h"
#include "SessionRig.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct LogsRig {
    LogsRig() { rig.startStreaming(); }
    ~LogsRig() { logs.reset(); }
    QStringList reportLines() const
    {
        QStringList out;
        QListWidget* list = logs->sendCommands()->ListBox1;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QStringList gridRow(int row) const
    {
        QStringList out;
        QTableWidget* g = logs->easyShowSend()->StringGrid1;
        for (int c = 0; c < g->columnCount(); ++c)
            out << (g->item(row, c) ? g->item(row, c)->text() : QString());
        while (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
    SessionRig rig;
    QWidget owner;
    std::unique_ptr<TCommandLogs> logs = std::make_unique<TCommandLogs>(*rig.session, &owner);
};

TEST(ShowSendCommands, ChannelWriteShowsAsOneRowAndClearRenumbers)
{
    LogsRig r;
    EXPECT_FALSE(r.logs->FEasyShowSend());
    r.rig.session->ChannelCheckClick(5, false); // written before the window opens
    r.logs->showEasyShowSend();
    EXPECT_TRUE(r.logs->FEasyShowSend());
    TEasyShowSendForm* form = r.logs->easyShowSend();
    EXPECT_EQ(form->ListCount(), 0);

    r.rig.session->ChannelCheckClick(5, true); // writes 0x3F to 0xD1
    EXPECT_EQ(r.gridRow(0), (QStringList{"1", "0xD1", "1", "0x3F"}));
    r.rig.session->MemoryWrite("D1", "5A");
    EXPECT_EQ(r.gridRow(1), (QStringList{"2", "0xD1", "1", "0x5A"}));
    EXPECT_EQ(form->StringGrid1->currentRow(), 1); // follows the newest

    QTest::mouseClick(form->ClearButton, Qt::LeftButton);
    EXPECT_EQ(form->StringGrid1->rowCount(), 1);
    EXPECT_EQ(r.gridRow(0), QStringList{});
    r.rig.session->MemoryWrite("D1", "5A");
    EXPECT_EQ(r.gridRow(0).value(0), "1");

    // Closed: nothing more is added until it is opened again.
    QTest::mouseClick(form->CloseButton, Qt::LeftButton);
    EXPECT_FALSE(r.logs->FEasyShowSend());
    r.rig.session->MemoryWrite("D1", "11");
    r.logs->showEasyShowSend();
    EXPECT_EQ(form->ListCount(), 1);
}

TEST(SendCommandsLog, ListsReportsOnlyWhileOpen)
{
    LogsRig r;
    r.rig.session->RedoATIButtonClick(); // sent while the log is closed
    r.logs->showSendCommands();
    EXPECT_TRUE(r.reportLines().isEmpty());

    r.rig.session->MemoryWrite("D1", "5A");
    const QStringList lines = r.reportLines();
    ASSERT_FALSE(lines.isEmpty());
    // 37 bytes, each two upper-case digits and a blank.
    EXPECT_EQ(lines.last().size(), 37 * 3);
    EXPECT_TRUE(QRegularExpression("^([0-9A-F]{2} ){37}$").match(lines.last()).hasMatch());
    EXPECT_TRUE(lines.join('\n').contains("D1 5A")) << lines.join('\n').toStdString();
    EXPECT_EQ(r.logs->sendCommands()->ListBox1->currentRow(), lines.size() - 1);

    r.logs->sendCommands()->close();
    const int before = r.reportLines().size();
    r.rig.session->MemoryWrite("D1", "11");
    r.logs->showSendCommands();
    EXPECT_EQ(r.reportLines().size(), before);

    QTest::mouseClick(r.logs->sendCommands()->Button2, Qt::LeftButton); // Clear
    EXPECT_TRUE(r.reportLines().isEmpty());
}

TEST(SendCommandsLog, SaveToFileWritesEveryLine)
{
    LogsRig r;
    TSendCommands* log = r.logs->sendCommands();
    log->ShowSentCommand("01 02 ");
    log->ShowSentCommand("03 04 ");
    const QString path = r.rig.dir.filePath("sent.txt");
    ASSERT_TRUE(log->saveToFile(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(QString::fromLatin1(f.readAll()), "01 02 \n03 04 \n");
    EXPECT_EQ(r.reportLines().last(), "File saved successfully");
    EXPECT_EQ(log->ListBox1->currentRow(), 2);

    // A file that cannot be written: an error, no success line, nothing lost.
    QString error;
    EXPECT_FALSE(log->saveToFile(r.rig.dir.filePath("missing/sent.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(r.reportLines().size(), 3);
}

TEST(SendCommandsLog, ButtonsStayOnOneLineUnderTheList)
{
    LogsRig r;
    TSendCommands* log = r.logs->sendCommands();
    for (const QSize size : {QSize(820, 420), QSize(500, 300), QSize(1200, 700)}) {
        log->resize(size);
        log->show();
        QApplication::processEvents();
        const QRect list = log->ListBox1->geometry();
        const QRect save = log->Button1->geometry(), clear = log->Button2->geometry(),
                    close = log->OKBtn->geometry();
        EXPECT_EQ(save.top(), close.top());
        EXPECT_EQ(save.top(), clear.top());
        EXPECT_GT(save.top(), list.bottom());
        EXPECT_EQ(save.left(), list.left());
        EXPECT_EQ(close.right(), list.right());
        EXPECT_LE(std::abs(clear.center().x() - list.center().x()), 2);
    }
    EXPECT_TRUE(log->OKBtn->isDefault());
}

TEST(SendCommandsLog, PlacementKeptInItsSection)
{
    SessionRig rig({}, false);
    const QString file = rig.dir.path() + "/KelvanMFS380A.ini";
    {
        TSendCommands log(rig.session->Preferences());
        log.resize(700, 350);
        log.show();
        log.move(40, 30);
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(f.readAll());
    f.close();
    EXPECT_TRUE(text.contains("[SendComForm]")) << text.toStdString();
    EXPECT_TRUE(text.contains("Width=700"));
    {
        TSendCommands log(rig.session->Preferences());
        log.show();
        EXPECT_EQ(log.size(), QSize(700, 350));
        EXPECT_EQ(log.pos(), QPoint(40, 30));
    }
    // Maximised on a display that is gone: default place, not maximised.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[SendComForm]\r\nState=Max\r\nLeft=-9000\r\nTop=-9000\r\nWidth=700\r\nHeight=350\r\n");
    f.close();
    TSendCommands log(rig.session->Preferences());
    log.show();
    EXPECT_FALSE(log.isMaximized());

    // A window never shown writes nothing.
    QFile::remove(file);
    {
        TSendCommands unseen(rig.session->Preferences());
    }
    EXPECT_FALSE(QFile::exists(file));
}

TEST(CommandLogWindows, CaptionsAndAccessibleNames)
{
    LogsRig r;
    EXPECT_EQ(r.logs->sendCommands()->windowTitle(), "Send Commands");
    EXPECT_EQ(r.logs->easyShowSend()->windowTitle(), "Show Send Commands");
    for (QWidget* w : {static_cast<QWidget*>(r.logs->sendCommands()),
                       static_cast<QWidget*>(r.logs->easyShowSend())}) {
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(c) && !qobject_cast<QAbstractItemView*>(c))
                continue;
            if (c->parentWidget() != w) // the grid's own headers and corner button
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << c->objectName().toStdString();
        }
    }
    EXPECT_EQ(r.logs->easyShowSend()->NoteLabel->text(), "*All Data values are Hexadecimal");
}

} // namespace
