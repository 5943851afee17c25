#pragma once
// One row of the updater window: name and version, three thin separators,
// the progress bar, the main button ("Download", "Cancel", "Install",
// "Completed") and the "..." button of the row's menu.

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
struct TUpdateItem;

class TUpdateRowWidget : public QFrame {
    Q_OBJECT
public:
    explicit TUpdateRowWidget(QWidget* parent = nullptr);

    // Shows the row's state.
    void show(const TUpdateItem& item);

    QLabel* ItemLabel = nullptr;
    QFrame* ItemShape1 = nullptr;
    QFrame* ItemShape2 = nullptr;
    QFrame* ItemShape3 = nullptr;
    QProgressBar* ItemProgress = nullptr;
    QPushButton* ItemButton = nullptr;
    QToolButton* ItemOptionsButton = nullptr;

signals:
    void buttonClicked();
    void optionsClicked();
};
