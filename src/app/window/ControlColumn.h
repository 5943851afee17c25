#pragma once
// The main window's left column: the configuration-tool panel, "Streaming"
// (Start, Pause, Scope, Settings), "Messages", "Flags && Events" and "Demo".

#include "SessionState.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;
class TFlagsEventsPanel;
class TKvnListBox;
struct TToolLabel;

class TControlColumn : public QWidget {
    Q_OBJECT
public:
    explicit TControlColumn(QWidget* parent = nullptr);

    void showToolLabel(const TToolLabel& label);
    void showButtons(const TSessionButtons& buttons);

    QLabel* CtLabel;
    QToolButton* CtSetupButton;
    QPushButton* StartButton;
    QPushButton* PauseButton;
    QPushButton* ScopeButton;
    QPushButton* SetupButton;
    TKvnListBox* MessageBox;
    TFlagsEventsPanel* FlagsEvents;
    QPushButton* DemoButton;
    QWidget* ToolPanel;
};
