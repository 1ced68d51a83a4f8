#include "tools/plan/PlanUsage.h"

using namespace Qt::StringLiterals;

int ReadNumber(const QCommandLineParser& parser, const QString& name, int low, int high,
               const QString& rangeNote)
{
    const QString range = u"a whole number from %1 to %2%3"_s.arg(low).arg(high).arg(rangeNote);
    if (!parser.isSet(name))
        throw UsageError(u"--%1 is required (%2)"_s.arg(name, range));
    const QString text = parser.value(name);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageError(u"--%1 must be %2, not '%3'"_s.arg(name, range, text));
    return value;
}
