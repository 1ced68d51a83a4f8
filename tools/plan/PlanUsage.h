#pragma once

#include <QCommandLineParser>
#include <QString>

// A fault in the command line: the planner prints its message on one line and
// exits with kPlanExitUsage.
class UsageError final
{
public:
    explicit UsageError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The value of a required whole-number option within [low, high]; throws
// UsageError naming the range when it is missing or out of range.
int ReadNumber(const QCommandLineParser& parser, const QString& name, int low, int high,
               const QString& rangeNote = QString());
