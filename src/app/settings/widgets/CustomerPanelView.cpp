#include "CustomerPanelView.h"

#include "CustomerPanel.h"
#include "KvnRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

using F = TFieldId;

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The panel's entry-index member that a simplified control edits.
int* indexMember(TCustomerPanel& p, TFieldId eng)
{
    switch (eng) {
    case F::Count_:
        return &p.SensorMode;
    case F::MultRange:
        return &p.MultRange;
    case F::AutoATIMode:
        return &p.AutoATIMode;
    case F::ATIBase:
        return &p.ATIBase;
    case F::Sens:
        return &p.Coarse;
    case F::CompMult:
        return &p.Fine;
    case F::Tmr1PreProx:
        return &p.ChargeFreqDiv;
    case F::CSCap:
        return &p.CSSize;
    case F::UpLenSel:
        return &p.UpLenSel;
    case F::PMirInc:
        return &p.CSDivider;
    case F::UpLen:
        return &p.UpLen;
    case F::PassLenSel:
        return &p.PassLenSel;
    case F::ProjBias:
        return &p.ProjBias;
    default:
        return nullptr;
    }
}

std::optional<int>* spinMember(TCustomerPanel& p, TFieldId eng)
{
    if (eng == F::ATITarg)
        return &p.ATITarget;
    if (eng == F::Comp)
        return &p.Compensation;
    return nullptr;
}

bool* checkMember(TCustomerPanel& p, TFieldId eng)
{
    if (eng == F::RX0)
        return &p.RX0;
    if (eng == F::RX1)
        return &p.RX1;
    return nullptr;
}

// Whether the panel shows the control of eng.
bool shownIn(const TCustomerPanel& p, TFieldId eng)
{
    switch (eng) {
    case F::MultRange:
        return p.MultRangeVisible;
    case F::UpLenSel:
    case F::PassLenSel:
    case F::UpLen:
        return p.UpLengthVisible;
    case F::ProjBias:
        return p.ProjBiasVisible;
    default:
        return true;
    }
}

} // namespace

TCustomerPanelView::TCustomerPanelView(int channel, QWidget* parent)
    : QWidget(parent), FChannel(channel)
{
    setObjectName(QStringLiteral("CustomerPanel%1").arg(channel));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    QVBoxLayout* columns[3];
    for (QVBoxLayout*& c : columns) {
        c = new QVBoxLayout;
        c->setSpacing(8);
        row->addLayout(c, 1);
    }

    // The multipliers, target and compensation share one box; RX 0 and RX 1
    // share "RX Select".
    auto* values = new QGroupBox(this);
    values->setObjectName(QStringLiteral("CustomerValues%1").arg(channel));
    auto* valueGrid = new QGridLayout(values);
    valueGrid->setColumnStretch(1, 1);
    FRxBox = new QGroupBox(QStringLiteral("RX Select"), this);
    auto* rxRow = new QHBoxLayout(FRxBox);

    columns[1]->addWidget(values);
    FControls.reserve(panelControls().size());
    int placed = 0;
    for (const TPanelControlDesc& d : panelControls()) {
        TControl c{&d};
        const TFieldDesc* eng =
            d.EngField == F::Count_ ? nullptr : &fieldDesc(channelField(d.EngField, channel));
        const QString caption = qs(d.Caption);
        const QString name = caption.trimmed();
        if (d.EntryCount > 0) {
            QStringList items;
            for (std::size_t i = 0; i < d.EntryCount; ++i)
                items << qs(d.Entries[i]);
            c.Radio = new TKvnRadioGroup(caption, items, this);
            c.Radio->setAccessibleName(name);
            c.Container = c.Radio;
            connect(c.Radio, &TKvnRadioGroup::itemClicked, this, [this] {
                if (!FSetting)
                    emit edited();
            });
            // Three columns, filled in table order: four, four and the rest.
            columns[std::min(placed / 4, 2)]->addWidget(c.Radio);
            ++placed;
        } else if (eng && eng->Kind == TFieldKind::Check) {
            c.Check = new QCheckBox(caption, FRxBox);
            c.Check->setAccessibleName(name);
            c.Container = c.Check;
            rxRow->addWidget(c.Check);
            connect(c.Check, &QCheckBox::clicked, this, [this] {
                if (!FSetting)
                    emit edited();
            });
        } else {
            auto* label = new QLabel(caption, values);
            const int r = valueGrid->rowCount();
            valueGrid->addWidget(label, r, 0);
            QWidget* editor;
            if (eng->Kind == TFieldKind::Spin) {
                c.Spin = new QSpinBox(values);
                c.Spin->setRange(eng->Min, eng->Max);
                connect(c.Spin, &QSpinBox::valueChanged, this, [this] {
                    if (!FSetting)
                        emit edited();
                });
                editor = c.Spin;
                if (d.EngField == F::ATITarg) {
                    c.Shown = new QLabel(values);
                    valueGrid->addWidget(c.Shown, r, 2);
                }
            } else {
                c.List = new QComboBox(values);
                for (const std::string& e : eng->Entries)
                    c.List->addItem(QString::fromStdString(e));
                connect(c.List, &QComboBox::activated, this, [this] {
                    if (!FSetting)
                        emit edited();
                });
                editor = c.List;
            }
            label->setBuddy(editor);
            editor->setAccessibleName(name);
            valueGrid->addWidget(editor, r, 1);
            c.Container = editor;
        }
        c.Container->setObjectName(
            QStringLiteral("Customer%1_%2").arg(channel).arg(name).remove(QLatin1Char(' ')));
        FControls.push_back(c);
    }
    columns[2]->addWidget(FRxBox);
    for (QVBoxLayout* c : columns)
        c->addStretch(1);
}

QWidget* TCustomerPanelView::control(const QString& caption) const
{
    for (const TControl& c : FControls) {
        if (qs(c.Desc->Caption).trimmed() == caption.trimmed())
            return c.Container;
    }
    return nullptr;
}

void TCustomerPanelView::showPanel(const TCustomerPanel& panel)
{
    FSetting = true;
    TCustomerPanel& p = const_cast<TCustomerPanel&>(panel); // members are only read
    for (TControl& c : FControls) {
        const TFieldId eng = c.Desc->EngField;
        if (int* v = indexMember(p, eng)) {
            if (c.Radio && c.Radio->itemIndex() != *v)
                c.Radio->setItemIndex(*v);
            if (c.List && c.List->currentIndex() != *v)
                c.List->setCurrentIndex(*v);
        } else if (std::optional<int>* s = spinMember(p, eng)) {
            if (*s && c.Spin->value() != **s)
                c.Spin->setValue(**s);
        } else if (bool* b = checkMember(p, eng)) {
            c.Check->setChecked(*b);
        }
        if (c.Shown)
            c.Shown->setText(QString::fromStdString(p.atiTargetLabel()));
        c.Container->setVisible(shownIn(p, eng));
    }
    FSetting = false;
}

void TCustomerPanelView::readPanel(TCustomerPanel& panel) const
{
    for (const TControl& c : FControls) {
        const TFieldId eng = c.Desc->EngField;
        if (int* v = indexMember(panel, eng)) {
            if (c.Radio)
                *v = c.Radio->itemIndex();
            else if (c.List)
                *v = c.List->currentIndex();
        } else if (std::optional<int>* s = spinMember(panel, eng)) {
            if (c.Spin->text().trimmed().isEmpty())
                s->reset();
            else
                *s = c.Spin->value();
        } else if (bool* b = checkMember(panel, eng)) {
            *b = c.Check->isChecked();
        }
    }
}
