#pragma once
#include "survey/SurveySession.h"

#include <QDialog>

#include <cstddef>
#include <functional>

class QPushButton;
class StringGrid;

// The exclusions of a survey, one row each with its span and reason. Remove asks before it
// takes the selected one out (through remove, which changes the session); Enter closes the list,
// it never removes.
class TfrmExclusions : public QDialog {
    Q_OBJECT
public:
    TfrmExclusions(const SurveySession& session, const QString& caption, std::function<void(std::size_t)> remove,
                   QWidget* parent = nullptr);

    // Refills the rows from the session.
    void Fill();
    void btnRemoveClick();

    StringGrid* ExclusionsGrid;
    QPushButton* btnRemove;
    QPushButton* btnClose;

private:
    const SurveySession& session;
    std::function<void(std::size_t)> remove;
};
