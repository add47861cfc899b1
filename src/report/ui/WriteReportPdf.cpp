#include "report/ui/WriteReportPdf.h"

#include "graph/ui/TfrmGraph.h"
#include "report/ui/DrawReportPage.h"
#include "shell/CommitSaveFile.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

QString CannotWrite(const QString& path, const QString& why)
{
    return QStringLiteral("Cannot write the file %1: %2").arg(QDir::toNativeSeparators(path), why);
}

}  // namespace

bool WriteReportPdf(const QString& path, int pages, const std::function<TfrmGraph&(int)>& graphOfPage,
                    QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = CannotWrite(path, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("QX574"));
        writer.setTitle(QStringLiteral("Noise Report"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            *error = CannotWrite(path, QStringLiteral("the PDF could not be started"));
            return false;
        }
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            DrawReportPage(painter, graphOfPage(page), QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
        }
        painter.end();
    }
    if (!CommitSaveFile(file)) {
        *error = CannotWrite(path, file.errorString());
        return false;
    }
    return true;
}
