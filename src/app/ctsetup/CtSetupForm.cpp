#include "CtSetupForm.h"

#include "CtSetupModel.h"
#include "CtSetupTexts.h"
#include "InstalledPrograms.h"
#include "Session.h"
#include "SimulatedUpdater.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QColor rgb(std::uint32_t value)
{
    return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

QLineEdit* readOnlyEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

TCtSetupForm::TCtSetupForm(std::unique_ptr<TCtSetupModel> model, QWidget* parent)
    : QWidget(parent, Qt::Tool), FModel(std::move(model))
{
    setObjectName(QStringLiteral("CtSetupForm"));
    setWindowTitle(QString::fromLatin1(ctsetupmsg::kCaption));
    build();
    connect(FModel.get(), &TCtSetupModel::viewChanged, this, &TCtSetupForm::render);
    connect(FModel.get(), &TCtSetupModel::showRequested, this, &TCtSetupForm::showOrRaise);
    render();
}

TCtSetupForm::~TCtSetupForm() = default;

TCtSetupForm* TCtSetupForm::create(TSession& session,
                                   std::shared_ptr<sim::SimBackend> simulation, QWidget* parent)
{
    TFirmwareMinimums minimums = ReadFirmwareMinimums(*makeInstalledPrograms());
    const bool simulated = simulation && !minimums.FUpdaterInstalled;
    if (simulated)
        minimums = simulatedUpdaterMinimums();
    auto model = std::make_unique<TCtSetupModel>(
        session, std::move(minimums), session.prompts(),
        QString::fromStdString(session.appPath().string()));
    if (simulated)
        useSimulatedUpdater(*model, session, std::move(simulation));
    auto* form = new TCtSetupForm(std::move(model), parent);
    form->model().attach();
    return form;
}

void TCtSetupForm::build()
{
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    top->addLayout(row, 1);

    DevList = new QListWidget(this);
    DevList->setObjectName(QStringLiteral("DevList"));
    DevList->setAccessibleName(QStringLiteral("Configuration tools"));
    DevList->setFixedWidth(250);
    row->addWidget(DevList);

    auto* details = new QVBoxLayout;
    row->addLayout(details, 1);
    NameLabel = new QLabel(QStringLiteral("N/A"), this);
    NameLabel->setObjectName(QStringLiteral("NameLabel"));
    QFont bold = NameLabel->font();
    bold.setBold(true);
    NameLabel->setFont(bold);
    details->addWidget(NameLabel);

    auto* form = new QFormLayout;
    FWVersionEdit = readOnlyEdit(this);
    BuildEdit = readOnlyEdit(this);
    ReleaseEdit = readOnlyEdit(this);
    SerialEdit = readOnlyEdit(this);
    CTIDSpin = new QSpinBox(this);
    CTIDSpin->setRange(0, 15);
    const std::pair<const char*, QWidget*> fields[] = {
        {"Firmware Version :", FWVersionEdit}, {"Build :", BuildEdit},
        {"Release :", ReleaseEdit},           {"Serial :", SerialEdit},
        {"ID :", CTIDSpin}};
    for (const auto& [caption, field] : fields) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setBuddy(field);
        field->setAccessibleName(label->text());
        form->addRow(label, field);
    }
    FWVersionEdit->setObjectName(QStringLiteral("FWVersionEdit"));
    BuildEdit->setObjectName(QStringLiteral("BuildEdit"));
    ReleaseEdit->setObjectName(QStringLiteral("ReleaseEdit"));
    SerialEdit->setObjectName(QStringLiteral("SerialEdit"));
    CTIDSpin->setObjectName(QStringLiteral("CTIDSpin"));
    details->addLayout(form);

    // The firmware panel.
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* panel = new QVBoxLayout(Panel2);
    panel->setContentsMargins(0, 6, 0, 0);
    FirmstatusPanel = new QFrame(Panel2);
    FirmstatusPanel->setObjectName(QStringLiteral("FirmstatusPanel"));
    FirmstatusPanel->setFrameShape(QFrame::StyledPanel);
    FirmstatusPanel->setAutoFillBackground(true);
    auto* status = new QVBoxLayout(FirmstatusPanel);
    FirmStatusLabel = new QLabel(QStringLiteral("Firmware is up to date"), FirmstatusPanel);
    FirmStatusLabel->setObjectName(QStringLiteral("FirmStatusLabel"));
    FirmStatusLabel->setFont(bold);
    FirmStatusLabel->setAlignment(Qt::AlignCenter);
    status->addWidget(FirmStatusLabel);
    auto* latest = new QHBoxLayout;
    PrefFirmCaption = new QLabel(QStringLiteral("Latest release :"), FirmstatusPanel);
    PrefFirmLabel = new QLabel(FirmstatusPanel);
    PrefFirmLabel->setObjectName(QStringLiteral("PrefFirmLabel"));
    PrefFirmLabel->setAccessibleName(PrefFirmCaption->text());
    latest->addWidget(PrefFirmCaption);
    latest->addWidget(PrefFirmLabel, 1);
    status->addLayout(latest);
    StabFirmLabel = new QLabel(FirmstatusPanel);
    StabFirmLabel->setObjectName(QStringLiteral("StabFirmLabel"));
    StabFirmLabel->setAccessibleName(QStringLiteral("Stable release"));
    StabFirmLabel->hide();
    status->addWidget(StabFirmLabel);
    panel->addWidget(FirmstatusPanel);

    UpdateButton = new QPushButton(QStringLiteral("Update"), Panel2);
    UpdateButton->setObjectName(QStringLiteral("UpdateButton"));
    UpdateCustomButton = new QPushButton(QStringLiteral("Load custom firmware file..."), Panel2);
    UpdateCustomButton->setObjectName(QStringLiteral("UpdateCustomButton"));
    UpdateCustomButton->hide();
    RevertButton = new QPushButton(QStringLiteral("Update to Stable release"), Panel2);
    RevertButton->setObjectName(QStringLiteral("RevertButton"));
    RevertButton->hide();
    panel->addWidget(UpdateButton);
    panel->addWidget(UpdateCustomButton);
    panel->addWidget(RevertButton);
    details->addWidget(Panel2);
    details->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    bottom->addWidget(CloseButton);
    top->addLayout(bottom);

    connect(DevList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (FRendering)
            return;
        FCheckClickedRow = DevList->row(item);
        FModel->DevListClickCheck(FCheckClickedRow, item->checkState() == Qt::Checked);
    });
    connect(DevList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int clicked = DevList->row(item);
        if (clicked == FCheckClickedRow) {
            FCheckClickedRow = -1;
            return;
        }
        FCheckClickedRow = -1;
        FModel->DevListClick(clicked);
    });
    connect(CTIDSpin, &QSpinBox::valueChanged, this, [this](int value) {
        if (!FRendering)
            FModel->CTIDSpinChange(value);
    });
    connect(UpdateButton, &QPushButton::clicked, this, [this] { FModel->UpdateButtonClick(); });
    connect(UpdateCustomButton, &QPushButton::clicked, this, &TCtSetupForm::pickCustomFile);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    resize(560, 320);
}

void TCtSetupForm::render()
{
    FRendering = true;
    const TCtSetupView& v = FModel->view();
    if (DevList->count() != static_cast<int>(v.rows.size())) {
        DevList->clear();
        for (std::size_t i = 0; i < v.rows.size(); ++i) {
            auto* item = new QListWidgetItem(DevList);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
    }
    for (std::size_t i = 0; i < v.rows.size(); ++i) {
        QListWidgetItem* item = DevList->item(static_cast<int>(i));
        item->setText(v.rows[i].name);
        item->setCheckState(v.rows[i].checked ? Qt::Checked : Qt::Unchecked);
    }
    DevList->setCurrentRow(v.selectedRow);
    NameLabel->setText(v.NameLabel);
    FWVersionEdit->setText(v.FWVersionEdit);
    BuildEdit->setText(v.BuildEdit);
    ReleaseEdit->setText(v.ReleaseEdit);
    SerialEdit->setText(v.SerialEdit);
    CTIDSpin->setValue(v.CTIDSpin);
    Panel2->setVisible(v.Panel2Visible);
    FirmStatusLabel->setText(v.FirmStatusLabel);
    QPalette text = FirmStatusLabel->palette();
    text.setColor(QPalette::WindowText, rgb(v.statusLook.text));
    FirmStatusLabel->setPalette(text);
    QPalette back = FirmstatusPanel->palette();
    back.setColor(QPalette::Window, rgb(v.statusLook.panel));
    FirmstatusPanel->setPalette(back);
    PrefFirmLabel->setText(v.PrefFirmLabel);
    PrefFirmCaption->setVisible(!v.PrefFirmLabel.isEmpty());
    PrefFirmLabel->setVisible(!v.PrefFirmLabel.isEmpty());
    StabFirmLabel->setText(v.StabFirmLabel);
    UpdateButton->setEnabled(v.UpdateEnabled);
    UpdateCustomButton->setVisible(v.UpdateCustomVisible);
    FRendering = false;
}

void TCtSetupForm::pickCustomFile()
{
    FModel->UpdateCustomButtonClick([this]() -> std::optional<QString> {
        const QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Open"), QString(), QStringLiteral("DFU Files (*.dfu)"));
        if (file.isEmpty())
            return std::nullopt;
        return file;
    });
}

void TCtSetupForm::showList()
{
    FModel->UpdateList();
    showOrRaise();
}

void TCtSetupForm::showOrRaise()
{
    if (!isVisible()) {
        // A tool window centred on the screen.
        if (const QScreen* screen = (parentWidget() ? parentWidget()->screen() : this->screen()))
            move(screen->availableGeometry().center() - rect().center());
        show();
    }
    raise();
    activateWindow();
}

void TCtSetupForm::closeEvent(QCloseEvent* event)
{
    if (!FModel->CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FModel->Closed();
}

void TCtSetupForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FModel->Activated();
}
