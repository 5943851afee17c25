#include "EasyShowSendForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kColumnWidth = 51;
constexpr int kFirstColumnWidth = 20;

} // namespace

TEasyShowSendForm::TEasyShowSendForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EasyShowSendForm"));
    setWindowTitle(QStringLiteral("Show Send Commands"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    StringGrid1 = new QTableWidget(
        1, TSentCommandTable::kFixedColumns + TSentCommandTable::kDataColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(QStringLiteral("Sent register writes"));
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(kFirstColumnWidth);
    showColumns();
    StringGrid1->setColumnWidth(0, kFirstColumnWidth);

    NoteLabel = new QLabel(QStringLiteral("*All Data values are Hexadecimal"), this);
    ClearButton = new QPushButton(QStringLiteral("Clear"), this);
    ClearButton->setObjectName(QStringLiteral("ClearButton"));
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(NoteLabel);
    bottom->addStretch(1);
    bottom->addWidget(ClearButton);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(bottom);

    connect(ClearButton, &QPushButton::clicked, this, &TEasyShowSendForm::Clear);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    resize(kFirstColumnWidth + 12 * kColumnWidth + 40, 360);
}

void TEasyShowSendForm::showColumns()
{
    const int columns = FTable.columnCount();
    if (StringGrid1->columnCount() != columns || !StringGrid1->horizontalHeaderItem(0)) {
        StringGrid1->setColumnCount(columns);
        QStringList titles;
        for (int c = 0; c < columns; ++c)
            titles << QString::fromStdString(TSentCommandTable::columnTitle(c));
        StringGrid1->setHorizontalHeaderLabels(titles);
        // Titles stay readable ("Address" is wider than a data column).
        for (int c = 1; c < columns; ++c)
            StringGrid1->setColumnWidth(
                c, std::max(kColumnWidth, StringGrid1->horizontalHeader()->sectionSizeHint(c)));
    }
}

void TEasyShowSendForm::AddCommand(int AddrLeng, std::uint16_t Addr,
                                   std::span<const std::uint8_t> Data, int Length)
{
    const std::vector<std::string>& cells = FTable.AddCommand(AddrLeng, Addr, Data, Length);
    showColumns();
    const int row = FTable.ListCount() - 1;
    StringGrid1->setRowCount(FTable.ListCount());
    for (int c = 0; c < StringGrid1->columnCount(); ++c) {
        const auto i = static_cast<std::size_t>(c);
        StringGrid1->setItem(
            row, c,
            new QTableWidgetItem(i < cells.size() ? QString::fromStdString(cells[i]) : QString()));
    }
    // The row number outgrows the narrow first column after a while.
    const int numberWidth =
        StringGrid1->fontMetrics().horizontalAdvance(QString::fromStdString(cells.front())) + 8;
    if (StringGrid1->columnWidth(0) < numberWidth)
        StringGrid1->setColumnWidth(0, numberWidth);
    StringGrid1->selectRow(row);
    StringGrid1->scrollToBottom();
}

void TEasyShowSendForm::Clear()
{
    FTable.Clear();
    StringGrid1->clearContents();
    StringGrid1->setRowCount(1); // the header and one empty row
    showColumns();
    StringGrid1->setColumnWidth(0, kFirstColumnWidth);
}

void TEasyShowSendForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit closed();
}
