#include "report/ui/WriteReportPdf.h"

#include "graph/ui/TfrmGraph.h"
#include "report/ui/DrawReportPage.h"
#include "shell/SaveFile.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

QString CannotWrite(const QString& path, const QString& why)
{
    return QStringLiteral("Cannot write the file %1: %2").arg(QDir::toNativeSeparators(path), why);
}

}  // namespace

bool WriteReportPdf(QIODevice& out, int pages, const std::function<TfrmGraph&(int)>& graphOfPage)
{
    QPdfWriter writer(&out);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("QX574"));
    writer.setTitle(QStringLiteral("Noise Report"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        DrawReportPage(painter, graphOfPage(page), QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

bool WriteReportPdf(const QString& path, int pages, const std::function<TfrmGraph&(int)>& graphOfPage,
                    QString* error)
{
    SaveFile file(path);
    if (!file.Open()) {
        *error = CannotWrite(path, file.ErrorString());
        return false;
    }
    if (!WriteReportPdf(file.Device(), pages, graphOfPage)) {
        *error = CannotWrite(path, QStringLiteral("the PDF could not be written"));
        return false;
    }
    if (!file.Commit()) {
        *error = CannotWrite(path, file.ErrorString());
        return false;
    }
    return true;
}
