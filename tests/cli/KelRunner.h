// What the tests of the `kel` command line share: running it, and the example script.
#pragma once

#include <QString>
#include <QStringList>

#include "TestMain.h"

using Run = kel::test::KelRun;

inline Run Kel(const QStringList& args) { return kel::test::RunKel(args); }

inline const QString kSample = QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel");
