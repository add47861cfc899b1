#include "graph/ui/GraphCompanion.h"

#include "graph/ui/TfrmGraph.h"
#include "shell/ui/PlaceInArea.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QMdiArea* AreaOf(const TfrmGraph& source)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(source.parentWidget());
    return frame ? frame->mdiArea() : nullptr;
}

}  // namespace

QWidget* FindGraphCompanion(const TfrmGraph& source, const std::function<bool(QWidget*)>& belongs)
{
    QWidgetList windows;
    if (QMdiArea* area = AreaOf(source)) {
        for (QMdiSubWindow* frame : area->subWindowList())
            windows << frame->widget();
    } else {
        windows = QApplication::topLevelWidgets();
    }
    for (QWidget* window : windows)
        if (window && belongs(window))
            return window;
    return nullptr;
}

void RaiseGraphCompanion(const TfrmGraph& source, QWidget& companion)
{
    QMdiArea* area = AreaOf(source);
    if (auto* own = area ? qobject_cast<QMdiSubWindow*>(companion.parentWidget()) : nullptr) {
        own->showNormal();
        area->setActiveSubWindow(own);
    } else {
        companion.showNormal();
        companion.raise();
    }
}

void ShowGraphCompanion(TfrmGraph& source, QWidget& companion, QSize size)
{
    QWidget* closing = &companion;
    if (QMdiArea* area = AreaOf(source)) {
        QMdiSubWindow* own = area->addSubWindow(&companion);
        own->setAttribute(Qt::WA_DeleteOnClose);
        own->showNormal();
        PlaceInArea(*own, *area, size);
        closing = own;
    } else {
        companion.setAttribute(Qt::WA_DeleteOnClose);
        companion.resize(size);
        companion.show();
    }
    QObject::connect(&source, &QObject::destroyed, closing, &QWidget::close);
}
