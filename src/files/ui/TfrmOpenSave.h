#pragma once
#include <QDialog>

class QPushButton;

// Asks whether Save or Open is about a whole data set collection or a single file.
class TfrmOpenSave : public QDialog {
    Q_OBJECT
public:
    static constexpr int SetsResult = 1;
    static constexpr int SingleResult = 7;
    static constexpr int CancelResult = 2;

    explicit TfrmOpenSave(QWidget* parent = nullptr);

    QPushButton* btnOpenSets;
    QPushButton* btnOpenSingleSet;
    QPushButton* btnCancel;
};
