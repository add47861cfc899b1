#include "report/ui/WriteReportPdf.h"

#include "report/ReportPage.h"
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

bool WriteReportPdf(QIODevice& out, const std::vector<ReportPage>& pages)
{
    QPdfWriter writer(&out);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("QX574"));
    writer.setTitle(QStringLiteral("Noise Report"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const auto count = static_cast<qsizetype>(pages.size());
    for (qsizetype page = 0; page < count; ++page) {
        if (page > 0)
            writer.newPage();
        DrawReportPage(painter, pages[static_cast<std::size_t>(page)],
                       QStringLiteral("Page %1 of %2").arg(page + 1).arg(count));
    }
    return painter.end();
}

bool SavePdf(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error)
{
    SaveFile file(path);
    if (!file.Open()) {
        *error = CannotWrite(path, file.ErrorString());
        return false;
    }
    if (!write(file.Device())) {
        *error = CannotWrite(path, QStringLiteral("the PDF could not be written"));
        return false;
    }
    if (!file.Commit()) {
        *error = CannotWrite(path, file.ErrorString());
        return false;
    }
    return true;
}

bool WriteReportPdf(const QString& path, const std::vector<ReportPage>& pages, QString* error)
{
    return SavePdf(path, [&pages](QIODevice& out) { return WriteReportPdf(out, pages); }, error);
}
