// Checks of single parameter values: position lists, colours, keywords and sizes. Each
// returns its problems through a callback (rule name, message).
#pragma once

#include <QString>
#include <QStringView>
#include <functional>

namespace kel {

using ReportProblem = std::function<void(const char* rule, const QString& message)>;

// A `pos` value: fields that are no coordinate, a latitude without longitude, values out of
// range, minutes or seconds of 60 or more, more positions than a figure holds. Returns the
// number of positions the figure has as the program reads it.
int CheckPosValue(QStringView pos, const ReportProblem& report);

// A value of parameter `name` of command `word` against what the parameter editor offers:
// colour texts, keyword lists (where the row has a picker), size texts. Empty values are
// not checked.
void CheckParamValue(const QString& word, int row, const QString& name, const QString& value,
                     const ReportProblem& report);

}  // namespace kel
