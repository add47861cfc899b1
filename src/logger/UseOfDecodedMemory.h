#pragma once
#include "logger/DecodeMemoryImage.h"

#include <QString>
#include <QStringList>

// What a decoded logger memory is good for. Load Data, File > Open and the command line all
// ask this one rule before they show or write anything, so a memory one of them refuses, the
// others refuse too, and a refusal leaves what was loaded before as it was.
enum class DecodedUse {
    Usable,           // shown or written (a damaged recording, 33 or 34, included)
    NoDataSets,       // 31: the header counts no recordings
    CannotBeDecoded,  // 32: the header counts more recordings than a meter keeps
    NoSamples,        // recordings, but not one of their samples lies within the bytes given
};

// A memory is usable when the decoder found its recordings and the image holds at least one
// of their samples. Counting only held samples matters because a recording keeps its stored
// count with the samples past the image empty: a file cut after its headers would otherwise
// pass for data, a table of empty sets replacing the user's.
DecodedUse UseOfDecodedMemory(const DecodedMemory& decoded);

// What the user is told of a usable memory that was not whole, each a sentence naming source
// ("the meter's memory", a file's name): damaged markers (33), a recording that runs past the
// used memory (34), samples its recordings count that the image does not hold. Every face
// shows these same sentences, the command line after "Warning: ".
QStringList DecodeWarnings(const DecodedMemory& decoded, const QString& source);
