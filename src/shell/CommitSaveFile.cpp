#include "shell/CommitSaveFile.h"

#include <QSaveFile>

bool CommitSaveFile(QSaveFile& file)
{
    return file.isOpen() && file.flush() && file.commit();
}
