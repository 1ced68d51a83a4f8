#include "ui/main/RosterMenu.h"

#include "storage/FileErrors.h"
#include "storage/FileKinds.h"
#include "storage/RosterCsv.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QString CsvFilter()
{
    return QCoreApplication::translate("RosterMenu", "CSV 文件 (*.csv);;所有文件 (*)");
}

// The folder the last file dialog ended in, for the next one of this run.
QString& LastFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

void RememberFolder(const QString& path)
{
    LastFolder() = QFileInfo(path).absolutePath();
}

QString NotesText(const QStringList& notes)
{
    return notes.isEmpty() ? QString() : u"\n\n"_s + notes.join(u'\n');
}

} // namespace

RosterMenu::RosterMenu(QWidget& window, PlanningTables& tables, RosterEditors editors)
    : QObject(&window), m_window(window), m_tables(tables), m_editors(std::move(editors)),
      m_menu(new QMenu(tr("花名册(&R)"), &window))
{
    connect(m_menu->addAction(tr("导入英雄(&I)…")), &QAction::triggered, this,
            &RosterMenu::ImportHeroes);
    connect(m_menu->addAction(tr("导出英雄(&E)…")), &QAction::triggered, this,
            &RosterMenu::ExportHeroes);
    m_menu->addSeparator();
    connect(m_menu->addAction(tr("导入病毒(&V)…")), &QAction::triggered, this,
            &RosterMenu::ImportViruses);
    connect(m_menu->addAction(tr("导出病毒(&X)…")), &QAction::triggered, this,
            &RosterMenu::ExportViruses);
}

RosterMenu::~RosterMenu() = default;

std::optional<ReadOutcome> RosterMenu::pickAndRead(const QString& caption, QString& path)
{
    path = FileDialog::openFileName(&m_window, caption, LastFolder(), CsvFilter());
    if (path.isEmpty())
        return std::nullopt;
    RememberFolder(path);
    // One byte past the limit tells the reader that the file is too long. A
    // pipe or a device is refused before anything waits on it.
    ReadOutcome read = ReadRegularFile(path, RosterCsv::kMaxFileBytes + 1);
    if (!read.ok()) {
        MessageBox::show(
            &m_window, QMessageBox::Warning, caption,
            tr("无法读取文件“%1”：%2")
                .arg(QDir::toNativeSeparators(path), DescribeFileError(read.error, read.reason)),
            QMessageBox::Ok);
        return std::nullopt;
    }
    return read;
}

bool RosterMenu::reportRefusal(const QString& caption, const QString& path,
                               const QStringList& problems)
{
    if (problems.isEmpty())
        return false;
    const int count = static_cast<int>(problems.size());
    QStringList shown = problems.mid(0, kProblemsShown);
    if (const int more = count - kProblemsShown; more > 0)
        shown.append(tr("……还有 %n 个问题。", nullptr, more));
    MessageBox::show(&m_window, QMessageBox::Warning, caption,
                     tr("文件“%1”有 %n 个问题，没有导入，表格保持原样：\n\n%2", nullptr, count)
                         .arg(QDir::toNativeSeparators(path), shown.join(u'\n')),
                     QMessageBox::Ok);
    return true;
}

void RosterMenu::ImportHeroes()
{
    const QString caption = tr("导入英雄");
    QString path;
    const std::optional<ReadOutcome> file = pickAndRead(caption, path);
    if (!file)
        return;
    auto heroes = std::make_unique<HeroTable>(m_tables.heroTable);
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(file->bytes, *heroes, file->size);
    if (reportRefusal(caption, path, result.problems))
        return;
    if (!result.notes.isEmpty()) {
        const int read = static_cast<int>(result.namedRows.size());
        MessageBox::show(&m_window, QMessageBox::Information, caption,
                         tr("读入了 %n 位英雄，请在编辑窗口里查看后确定。", nullptr, read) +
                             NotesText(result.notes),
                         QMessageBox::Ok);
    }
    m_editors.editHeroes(
        [&](CHeroesDlg& editor) { editor.loadImported(*heroes, result.namedRows); });
}

void RosterMenu::ImportViruses()
{
    const QString caption = tr("导入病毒");
    QString path;
    const std::optional<ReadOutcome> file = pickAndRead(caption, path);
    if (!file)
        return;
    auto viruses = std::make_unique<VirusTable>(m_tables.virusTable);
    const RosterCsv::ImportResult result =
        RosterCsv::ReadViruses(file->bytes, *viruses, file->size);
    if (reportRefusal(caption, path, result.problems))
        return;
    if (!result.notes.isEmpty()) {
        const int read = static_cast<int>(result.namedRows.size());
        MessageBox::show(&m_window, QMessageBox::Information, caption,
                         tr("读入了 %n 个病毒，请在编辑窗口里查看后确定。", nullptr, read) +
                             NotesText(result.notes),
                         QMessageBox::Ok);
    }
    m_editors.editViruses(
        [&](CVirusDlg& editor) { editor.loadImported(*viruses, result.namedRows); });
}

QString RosterMenu::pickSavePath(const QString& caption, const QString& fileName)
{
    QString path = FileDialog::saveFileName(
        &m_window, caption, QDir(LastFolder()).filePath(fileName), CsvFilter(), u"csv"_s);
    if (path.isEmpty())
        return path;
    RememberFolder(path);
    return path;
}

void RosterMenu::save(const QString& caption, const QString& path, const QByteArray& bytes,
                      const QString& done)
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (const std::optional<QString> failure = RosterCsv::SaveFile(path, bytes)) {
        MessageBox::show(&m_window, QMessageBox::Critical, caption,
                         tr("无法保存“%1”：%2").arg(shown, *failure), QMessageBox::Ok);
        return;
    }
    MessageBox::show(&m_window, QMessageBox::Information, caption, done.arg(shown),
                     QMessageBox::Ok);
}

void RosterMenu::ExportHeroes()
{
    const QString caption = tr("导出英雄");
    const QString path = pickSavePath(caption, tr("英雄.csv"));
    if (!path.isEmpty()) {
        save(caption, path, RosterCsv::WriteHeroes(m_tables.heroTable),
             tr("已把 %n 位英雄导出到：\n%1", nullptr, kHeroCount));
    }
}

void RosterMenu::ExportViruses()
{
    const QString caption = tr("导出病毒");
    const QString path = pickSavePath(caption, tr("病毒.csv"));
    if (!path.isEmpty()) {
        save(caption, path, RosterCsv::WriteViruses(m_tables.virusTable),
             tr("已把 %n 个病毒导出到：\n%1", nullptr, kVirusCount));
    }
}
