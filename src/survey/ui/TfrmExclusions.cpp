#include "survey/ui/TfrmExclusions.h"

#include "shell/Formats.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TfrmExclusions::TfrmExclusions(const SurveySession& session, const QString& caption,
                               std::function<void(std::size_t)> remove, QWidget* parent)
    : QDialog(parent), session(session), remove(std::move(remove))
{
    setWindowTitle(QStringLiteral("Exclusions \u2013 ") + caption);
    ExclusionsGrid = new StringGrid(3, 1, this);
    ExclusionsGrid->setObjectName(QStringLiteral("ExclusionsGrid"));
    ExclusionsGrid->SetCell(0, 0, QStringLiteral("From"));
    ExclusionsGrid->SetCell(1, 0, QStringLiteral("To"));
    ExclusionsGrid->SetCell(2, 0, QStringLiteral("Reason"));
    ExclusionsGrid->SetColWidth(0, 160);
    ExclusionsGrid->SetColWidth(1, 160);
    ExclusionsGrid->horizontalHeader()->setStretchLastSection(true);
    ExclusionsGrid->verticalHeader()->hide();
    ExclusionsGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ExclusionsGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    btnRemove = new QPushButton(QStringLiteral("Remove"), this);
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    // Enter closes the list: removing is a choice of its own, never the default.
    btnRemove->setAutoDefault(false);
    btnClose->setDefault(true);
    connect(btnRemove, &QPushButton::clicked, this, &TfrmExclusions::btnRemoveClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnRemove);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ExclusionsGrid, 1);
    layout->addLayout(buttons);
    resize(620, 320);
    Fill();
}

void TfrmExclusions::Fill()
{
    const std::vector<Exclusion>& exclusions = session.Value().exclusions;
    ExclusionsGrid->SetRowCount(static_cast<int>(exclusions.size()) + 1);
    for (std::size_t i = 0; i < exclusions.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        ExclusionsGrid->SetCell(0, row, DateTimeText(exclusions[i].from));
        ExclusionsGrid->SetCell(1, row, DateTimeText(exclusions[i].to));
        ExclusionsGrid->SetCell(2, row, exclusions[i].reason);
    }
    btnRemove->setEnabled(!exclusions.empty());
    if (!exclusions.empty())
        ExclusionsGrid->selectRow(0);
}

void TfrmExclusions::btnRemoveClick()
{
    const std::vector<Exclusion>& exclusions = session.Value().exclusions;
    const int row = ExclusionsGrid->SelectedRow();
    if (row < 1 || row > static_cast<int>(exclusions.size()))
        return;
    const Exclusion& chosen = exclusions[static_cast<std::size_t>(row - 1)];
    const QString question = QStringLiteral("Remove the exclusion from %1 to %2 (%3)? Its samples count again in every "
                                            "figure.")
                                 .arg(DateTimeText(chosen.from), DateTimeText(chosen.to), chosen.reason);
    if (CurrentPrompts().AskYesNo(question) != Prompts::Answer::Yes)
        return;
    remove(static_cast<std::size_t>(row - 1));
    Fill();
}
