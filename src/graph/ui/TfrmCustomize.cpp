#include "graph/ui/TfrmCustomize.h"

#include "graph/ui/ChartPens.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QComboBox* ColorBox(std::uint32_t current, const QString& name, QWidget* parent)
{
    static const std::pair<const char*, QColor> colors[] = {
        {"Black", Qt::black},           {"Red", QColor(198, 0, 0)},
        {"Blue", QColor(0, 0, 198)},    {"Green", QColor(0, 128, 0)},
        {"Purple", QColor(128, 0, 128)}, {"Teal", QColor(0, 128, 128)},
        {"Orange", QColor(230, 120, 0)}, {"Gray", QColor(110, 110, 110)},
        {"Bright red", Qt::red},        {"Bright blue", Qt::blue},
    };
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    auto add = [box](const QString& text, const QColor& color) {
        QPixmap swatch(14, 14);
        swatch.fill(color);
        box->addItem(QIcon(swatch), text, color);
    };
    const QColor now = ColorFromStored(current);
    bool found = false;
    for (const auto& [text, color] : colors) {
        add(QString::fromLatin1(text), color);
        found = found || color.rgba() == now.rgba();
    }
    if (!found)
        add(QStringLiteral("Current"), now);
    box->setCurrentIndex(box->findData(now));
    return box;
}

std::uint32_t Chosen(const QComboBox* box)
{
    return StoredFromColor(box->currentData().value<QColor>());
}

}  // namespace

TfrmCustomize::TfrmCustomize(const ChartState& state, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmCustomize"));
    setWindowTitle(QStringLiteral("Graph Customization"));
    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    QWidget* titles = TitlesPage(state);
    QWidget* subsets = SubsetsPage(state);
    QWidget* style = StylePage(state);
    if (state.AllowTitlesDialog)
        Pages->addTab(titles, QStringLiteral("Titles"));
    if (state.AllowSubsetsPage)
        Pages->addTab(subsets, QStringLiteral("Subsets"));
    if (state.AllowStylePage)
        Pages->addTab(style, QStringLiteral("Style"));
    // Pages left out keep their controls (with the chart's values) but are not shown.
    for (QWidget* page : {titles, subsets, style}) {
        if (Pages->indexOf(page) < 0)
            page->setParent(this), page->hide();
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addWidget(buttons);
}

QWidget* TfrmCustomize::TitlesPage(const ChartState& state)
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    auto edit = [page, form](const QString& label, const QString& name, const QString& text) {
        auto* box = new QLineEdit(text, page);
        box->setObjectName(name);
        form->addRow(label, box);
        return box;
    };
    edtMainTitle = edit(QStringLiteral("Main title"), QStringLiteral("edtMainTitle"), state.MainTitle);
    edtSubTitle = edit(QStringLiteral("Subtitle"), QStringLiteral("edtSubTitle"), state.SubTitle);
    edtXAxisLabel = edit(QStringLiteral("X axis label"), QStringLiteral("edtXAxisLabel"), state.XAxisLabel);
    edtYAxisLabel = edit(QStringLiteral("Y axis label"), QStringLiteral("edtYAxisLabel"), state.YAxisLabel);
    return page;
}

QWidget* TfrmCustomize::SubsetsPage(const ChartState& state)
{
    static const char* lineTypes[] = {"Thin solid", "Dash", "Dot", "Dash dot", "Medium solid", "Thick solid"};
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Label"), page), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Colour"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Line type"), page), 0, 2);
    for (std::size_t s = 0; s < static_cast<std::size_t>(state.Subsets); ++s) {
        const int row = static_cast<int>(s) + 1;
        auto* label = new QLineEdit(s < state.SubsetLabels.size() ? state.SubsetLabels[s] : QString(), page);
        label->setObjectName(QStringLiteral("edtSubsetLabel%1").arg(s));
        auto* color = ColorBox(s < state.SubsetColors.size() ? state.SubsetColors[s] : 0xff000000u,
                               QStringLiteral("cmbSubsetColor%1").arg(s), page);
        auto* line = new QComboBox(page);
        line->setObjectName(QStringLiteral("cmbSubsetLineType%1").arg(s));
        for (const char* type : lineTypes)
            line->addItem(QString::fromLatin1(type));
        line->setCurrentIndex(std::clamp(s < state.SubsetLineTypes.size() ? state.SubsetLineTypes[s] : 0,
                                         0, LineTypeCount - 1));
        grid->addWidget(label, row, 0);
        grid->addWidget(color, row, 1);
        grid->addWidget(line, row, 2);
        edtSubsetLabels.push_back(label);
        cmbSubsetColors.push_back(color);
        cmbSubsetLineTypes.push_back(line);
    }
    grid->setRowStretch(state.Subsets + 1, 1);
    return page;
}

QWidget* TfrmCustomize::StylePage(const ChartState& state)
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    cmbGridStyle = new QComboBox(page);
    cmbGridStyle->setObjectName(QStringLiteral("cmbGridStyle"));
    cmbGridStyle->addItems({QStringLiteral("Thin"), QStringLiteral("Thick"), QStringLiteral("Dot"),
                            QStringLiteral("Dash"), QStringLiteral("None")});
    cmbGridStyle->setCurrentIndex(std::clamp(state.GridStyle, 0, 4));
    form->addRow(QStringLiteral("Grid"), cmbGridStyle);
    cmbYAxisColor = ColorBox(state.YAxisColor, QStringLiteral("cmbYAxisColor"), page);
    form->addRow(QStringLiteral("Y axis colour"), cmbYAxisColor);
    radColor = new QRadioButton(QStringLiteral("Colour"), page);
    radColor->setObjectName(QStringLiteral("radColor"));
    radMonochrome = new QRadioButton(QStringLiteral("Monochrome"), page);
    radMonochrome->setObjectName(QStringLiteral("radMonochrome"));
    (state.ViewingStyle == sgMonochrome ? radMonochrome : radColor)->setChecked(true);
    form->addRow(QStringLiteral("Viewing style"), radColor);
    form->addRow(QString(), radMonochrome);
    return page;
}

void TfrmCustomize::ApplyTo(ChartState& state) const
{
    state.MainTitle = edtMainTitle->text();
    state.SubTitle = edtSubTitle->text();
    state.XAxisLabel = edtXAxisLabel->text();
    state.YAxisLabel = edtYAxisLabel->text();
    for (std::size_t s = 0; s < edtSubsetLabels.size() && s < static_cast<std::size_t>(state.Subsets); ++s) {
        if (state.SubsetLabels.size() <= s) {
            state.SubsetLabels.resize(s + 1);
            state.SubsetColors.resize(s + 1, 0xff000000u);
            state.SubsetLineTypes.resize(s + 1, 0);
        }
        state.SubsetLabels[s] = edtSubsetLabels[s]->text();
        state.SubsetColors[s] = Chosen(cmbSubsetColors[s]);
        state.SubsetLineTypes[s] = cmbSubsetLineTypes[s]->currentIndex();
    }
    state.GridStyle = cmbGridStyle->currentIndex();
    state.YAxisColor = Chosen(cmbYAxisColor);
    state.ViewingStyle = radMonochrome->isChecked() ? sgMonochrome : sgColor;
}
