#include "PdfReader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

#include <gtest/gtest.h>

namespace {

// Runs a poppler tool; its standard output, or nothing with the test failed.
std::optional<QByteArray> Run(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing: run scripts/setup.sh (poppler-utils)";
        return std::nullopt;
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " rejects the file: "
                      << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

}  // namespace

int PdfPageCount(const QString& path)
{
    const std::optional<QByteArray> info = Run(QStringLiteral("pdfinfo"), {path});
    if (!info)
        return 0;
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(*info));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

QImage RenderPdfPage(const QString& path, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    if (!Run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                          QStringLiteral("-f"), number, QStringLiteral("-l"), number,
                                          QStringLiteral("-singlefile"), path, prefix}))
        return {};
    return QImage(prefix + QStringLiteral(".png"));
}

std::vector<PdfWord> PdfWords(const QString& path, int page)
{
    const QString number = QString::number(page);
    const std::optional<QByteArray> html = Run(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-f"), number, QStringLiteral("-l"), number, path, QStringLiteral("-")});
    std::vector<PdfWord> words;
    if (!html)
        return words;
    static const QRegularExpression word(QStringLiteral("<word [^>]*yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    for (auto match = word.globalMatch(QString::fromUtf8(*html)); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        words.push_back({found.captured(2), found.captured(1).toDouble()});
    }
    return words;
}

QString PdfText(const QString& path)
{
    const std::optional<QByteArray> text = Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    return text ? QString::fromUtf8(*text) : QString();
}
