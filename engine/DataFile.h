#pragma once

#include "ActivityRow.h"
#include "GenerationState.h"
#include "SortData.h"

#include <QString>

class StagedFiles;

// The line of the 22 data.js entries of one row shown at the given position (from 0).
QString FilePrint(const ActivityRow& row, const GenerationState& state, qsizetype position);

// Writes data.js: the header, the captions, the range, the days with their counts and every
// shown row in display order, all inside the function Read() the page calls. With
// `together`, the file replaces the old one only when `together` commits.
void CreateDataFile(const QString& path, const GenerationState& state, const SortResult& sorted,
                    StagedFiles* together = nullptr);
