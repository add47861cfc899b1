#pragma once

class QSaveFile;

// Finishes an atomic save: the new file takes the place of the old one only when every byte
// has been written. Otherwise the old file stays as it was, file.errorString() says why, and
// the new file goes with the QSaveFile, as any file never committed does. QSaveFile's own
// commit checks the writes it was given but not the writing out of its last buffered bytes:
// on a full disk it would put a cut file in the old one's place and report success.
bool CommitSaveFile(QSaveFile& file);
