#include "NavigationColumn.h"

#include "KvnRadioGroup.h"
#include "SessionTexts.h"
#include "SettingsPages.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton* updateAllButton(QWidget* parent)
{
    auto* b = new QPushButton(QStringLiteral("Update all settings from Device"), parent);
    b->setAccessibleName(b->text());
    return b;
}

} // namespace

TNavigationColumn::TNavigationColumn(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NavigationColumn"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(3);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (const int page : navigationOrder()) {
        if (page == kNavDivider) {
            auto* line = new QFrame(this);
            line->setObjectName(QStringLiteral("NavDivider"));
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            column->addSpacing(4);
            column->addWidget(line);
            column->addSpacing(4);
            continue;
        }
        const TSettingsPageInfo& info = settingsPage(page);
        // "&" in a caption would mark a mnemonic: "&&" shows one ampersand.
        QString caption = qs(info.NavCaption);
        auto* b =
            new QPushButton(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")), this);
        b->setObjectName(qs(info.NavName));
        b->setAccessibleName(caption);
        b->setCheckable(true);
        b->setMinimumHeight(28);
        b->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding-left: 8px; }"
                                        "QPushButton:checked { font-weight: bold; }"));
        group->addButton(b, page);
        column->addWidget(b);
        FButtons[static_cast<std::size_t>(page)] = b;
    }
    connect(group, &QButtonGroup::idClicked, this, &TNavigationColumn::pageClicked);
    column->addStretch(1);

    ATIErrorPanel = new QFrame(this);
    ATIErrorPanel->setObjectName(QStringLiteral("ATIErrorPanel"));
    ATIErrorPanel->setFrameShape(QFrame::StyledPanel);
    ATIErrorPanel->setStyleSheet(
        QStringLiteral("#ATIErrorPanel { background: #ffe9c8; border: 1px solid #d08000; }"));
    auto* ati = new QVBoxLayout(ATIErrorPanel);
    auto* text = new QLabel(QString::fromLatin1(sessionmsg::kAtiNotice), ATIErrorPanel);
    text->setObjectName(QStringLiteral("ATIErrorLabel"));
    text->setWordWrap(true);
    ati->addWidget(text);
    IgnoreButton = new QPushButton(QStringLiteral("Ignore"), ATIErrorPanel);
    IgnoreButton->setObjectName(QStringLiteral("ATIIgnoreButton"));
    IgnoreButton->setAccessibleName(QStringLiteral("Ignore"));
    UpdateAllButton = updateAllButton(ATIErrorPanel);
    UpdateAllButton->setObjectName(QStringLiteral("ATIUpdateAllButton"));
    ati->addWidget(IgnoreButton);
    ati->addWidget(UpdateAllButton);
    column->addWidget(ATIErrorPanel);

    ReadAllPanel = new QFrame(this);
    ReadAllPanel->setObjectName(QStringLiteral("ReadAllPanel"));
    auto* readAll = new QVBoxLayout(ReadAllPanel);
    readAll->setContentsMargins(0, 0, 0, 0);
    ReadAllUpdateButton = updateAllButton(ReadAllPanel);
    ReadAllUpdateButton->setObjectName(QStringLiteral("UpdateAllButton"));
    readAll->addWidget(ReadAllUpdateButton);
    column->addWidget(ReadAllPanel);

    AfterATIRadio = new TKvnRadioGroup(
        QStringLiteral("After Auto ATI"),
        {QStringLiteral("Update all settings"), QStringLiteral("Do nothing")}, this);
    AfterATIRadio->setObjectName(QStringLiteral("AfterATIRadio"));
    AfterATIRadio->setItemIndex(1);
    AfterATIRadio->hide();

    connect(IgnoreButton, &QPushButton::clicked, this, &TNavigationColumn::ignoreClicked);
    connect(UpdateAllButton, &QPushButton::clicked, this, &TNavigationColumn::updateAllClicked);
    connect(ReadAllUpdateButton, &QPushButton::clicked, this, &TNavigationColumn::updateAllClicked);
    showAtiNotice(false);
    setEngineering(false);
    setCurrentPage(settingspage::kSetup);
}

QPushButton* TNavigationColumn::button(int page) const
{
    if (page < 0 || page >= kSettingsPageCount)
        return nullptr;
    return FButtons[static_cast<std::size_t>(page)];
}

void TNavigationColumn::setCurrentPage(int page)
{
    if (QPushButton* b = button(page))
        b->setChecked(true);
}

void TNavigationColumn::setEngineering(bool on)
{
    for (const TSettingsPageInfo& info : settingsPages()) {
        if (info.EngineeringOnly)
            button(info.Page)->setVisible(on);
    }
}

void TNavigationColumn::showAtiNotice(bool visible)
{
    ATIErrorPanel->setVisible(visible);
    ReadAllPanel->setVisible(!visible);
}

bool TNavigationColumn::atiNoticeVisible() const
{
    return !ATIErrorPanel->isHidden();
}
