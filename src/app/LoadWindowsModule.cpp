#include "app/WindowsModule.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace {

// The folder of the running executable, read from the system since no application object
// exists yet when the module is needed.
QString ExecutableFolder()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

}  // namespace

std::optional<WindowsModule> LoadWindowsModule(QString* error)
{
    const QString folder = ExecutableFolder();
    const QString name = QStringLiteral(QX574_WINDOWS_MODULE);
    QString path = QFileInfo(folder + QStringLiteral("/" QX574_MODULE_FROM_PROGRAM "/") + name).absoluteFilePath();
    if (!QFileInfo::exists(path))
        path = folder + QLatin1Char('/') + name;
    void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        *error = QStringLiteral("Cannot load the windows of the program (%1): %2")
                     .arg(path, QString::fromLocal8Bit(dlerror()));
        return std::nullopt;
    }
    WindowsModule entries;
    entries.runWindowProgram = reinterpret_cast<RunWindowProgramEntry>(dlsym(module, RunWindowProgramSymbol));
    entries.installReportDrawing =
        reinterpret_cast<InstallReportDrawingEntry>(dlsym(module, InstallReportDrawingSymbol));
    if (!entries.runWindowProgram || !entries.installReportDrawing) {
        *error = QStringLiteral("Cannot load the windows of the program (%1): it is not this version's.").arg(path);
        return std::nullopt;
    }
    return entries;
}
