#include "shell/ui/PlaceInArea.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

void PlaceInArea(QMdiSubWindow& window, const QMdiArea& area, QSize contents)
{
    const QMargins frame = window.contentsMargins();
    const QSize space = area.viewport()->size();
    const QSize wanted = contents.grownBy(frame);
    if (space.isEmpty()) {  // an area not laid out yet has no visible part to keep to
        window.resize(wanted);
        return;
    }
    const QSize size(std::clamp(wanted.width(), std::min(window.minimumWidth(), space.width()), space.width()),
                     std::clamp(wanted.height(), std::min(window.minimumHeight(), space.height()), space.height()));
    window.setGeometry(std::max(0, (space.width() - size.width()) / 2), std::max(0, (space.height() - size.height()) / 2),
                       size.width(), size.height());
}
