#pragma once
// The coordinator's option records as a user has them after the first run
// (the stored starting lists and the readers' defaults for everything else),
// read once from a temporary settings store.

#include "foundation/OptionRecords.h"

#include <QString>
#include <QStringList>
#include <map>

struct CoordinatorRecords {
    CoordinatorOptions options;
    CoordinatorAdvOptions adv;
};

const CoordinatorRecords& FirstRunRecords();

// The 40 cells of a results row: the file name, then the given cells.
QStringList ResultsRow(const QString& fileName, const std::map<int, QString>& cells = {},
                       const QString& folder = QStringLiteral("/music"));
