#pragma once
#include <QDialog>

#include <vector>

class QPushButton;
class StringGrid;
struct ErasableMark;

// "Erase Annotation": lists the user's marks; Delete erases the selected rows.
class TfrmDelAnno : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDelAnno(QWidget* parent = nullptr);

    void List(const std::vector<ErasableMark>& marks);
    // The mark indices of the selected rows, top to bottom.
    std::vector<int> SelectedMarks() const;

    StringGrid* StringGrid1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

private:
    std::vector<int> rowMarks;  // grid row r (1..) lists mark rowMarks[r - 1]
};
