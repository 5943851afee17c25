#pragma once
// "Show Send Commands": the register writes the main window sends to the
// chip while the window is open, one row each ("#", "Address", "Length",
// "Data1" ...); all data values hexadecimal. "Clear" empties the table,
// "Close" closes the window, which ends the log until it is opened again.

#include "SentCommandTable.h"

#include <QWidget>
#include <cstdint>
#include <span>

class QLabel;
class QPushButton;
class QTableWidget;

class TEasyShowSendForm : public QWidget {
    Q_OBJECT
public:
    explicit TEasyShowSendForm(QWidget* parent = nullptr);

    // One register write: AddrLeng 1 for an 8-bit address; Data the write
    // buffer (address first); Length the number of data bytes. The new row
    // is selected.
    void AddCommand(int AddrLeng, std::uint16_t Addr, std::span<const std::uint8_t> Data,
                    int Length);
    void Clear();
    int ListCount() const { return FTable.ListCount(); }

    QTableWidget* StringGrid1;
    QLabel* NoteLabel;
    QPushButton* ClearButton;
    QPushButton* CloseButton;

signals:
    void closed();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void showColumns();

    TSentCommandTable FTable;
};
