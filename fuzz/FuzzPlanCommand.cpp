// The headless planner's arguments: any list of arguments, run against a
// folder holding the sample guild, ends with exit code 0, or with exit code 2
// and exactly one line on the error stream.
//
// Input: the arguments after the program name, separated by zero bytes, each
// read as UTF-8; at most kMaxArguments of them.

#include "fuzz/FuzzSupport.h"

#include "storage/DataFiles.h"
#include "tools/plan/PlanCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kMaxArguments = 24;

void CopySampleFile(const char* name)
{
    const QString from =
        QDir(QStringLiteral(QUORVEL_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        fuzz::Fail("the sample guild is missing", __FILE__, __LINE__);
    fuzz::WriteBytes(QDir(fuzz::ScratchFolder()).filePath(QString::fromLatin1(name)),
                     source.readAll());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The help text names the program through the application object.
    static std::unique_ptr<QCoreApplication> application =
        std::make_unique<QCoreApplication>(*argc, *argv);
    // The sample guild is both the current folder and a folder to name with
    // --dir, so that plans are searched whichever way the folder is given.
    CopySampleFile(kVirusFileName);
    CopySampleFile(kHeroFileName);
    return QDir::setCurrent(fuzz::ScratchFolder()) ? 0 : -1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QStringList arguments{u"quorvel-plan"_s};
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    qsizetype start = 0;
    while (start <= bytes.size() && arguments.size() <= kMaxArguments) {
        qsizetype end = bytes.indexOf('\0', start);
        if (end < 0)
            end = bytes.size();
        if (end > start || end < bytes.size())
            arguments.append(QString::fromUtf8(bytes.sliced(start, end - start)));
        start = end + 1;
    }

    QString outText;
    QString errText;
    int code = 0;
    {
        QTextStream out(&outText);
        QTextStream err(&errText);
        code = RunPlanCommand(arguments, out, err);
    }
    FUZZ_CHECK(code == kPlanExitOk || code == kPlanExitUsage);
    if (code == kPlanExitUsage) {
        if (errText.count(u'\n') != 1 || errText.contains(u'\r') || !errText.endsWith(u'\n') ||
            errText.size() < 2) {
            std::fprintf(stderr, "error stream: [%s]\n", qPrintable(errText));
            FUZZ_CHECK(!"a refused argument list gives exactly one line on the error stream");
        }
    }
    return 0;
}
