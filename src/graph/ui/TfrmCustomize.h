#pragma once
#include "files/ChartState.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

// The chart's customization dialog: titles and axis label, subset labels, colours and line
// types, grid style and colour or monochrome. The chart's page switches choose the pages.
class TfrmCustomize : public QDialog {
    Q_OBJECT
public:
    TfrmCustomize(const ChartState& state, QWidget* parent = nullptr);
    // Writes the dialog's choices into the state.
    void ApplyTo(ChartState& state) const;

    QTabWidget* Pages;
    QLineEdit* edtMainTitle;
    QLineEdit* edtSubTitle;
    QLineEdit* edtXAxisLabel;
    QLineEdit* edtYAxisLabel;
    std::vector<QLineEdit*> edtSubsetLabels;
    std::vector<QComboBox*> cmbSubsetColors;
    std::vector<QComboBox*> cmbSubsetLineTypes;
    QComboBox* cmbGridStyle;
    QComboBox* cmbYAxisColor;
    QRadioButton* radColor;
    QRadioButton* radMonochrome;

private:
    QWidget* TitlesPage(const ChartState& state);
    QWidget* SubsetsPage(const ChartState& state);
    QWidget* StylePage(const ChartState& state);
};
