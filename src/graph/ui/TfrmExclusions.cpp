#include "graph/ui/TfrmExclusions.h"

#include "graph/ui/TfrmGraph.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TfrmExclusions::TfrmExclusions(TfrmGraph& graph, QWidget* parent) : QDialog(parent), graph(graph)
{
    setWindowTitle(QStringLiteral("Exclusions \u2013 ") + graph.Caption());
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
    const std::vector<Exclusion>& exclusions = graph.GraphSurvey().exclusions;
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
    const int row = ExclusionsGrid->SelectedRow();
    if (row < 1 || row > static_cast<int>(graph.GraphSurvey().exclusions.size()))
        return;
    graph.RemoveExclusion(static_cast<std::size_t>(row - 1));
    Fill();
}
