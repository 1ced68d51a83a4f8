#include "ui/main/RosterMenu.h"

#include "storage/RosterCsv.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString kCsvFilter = u"CSV 文件 (*.csv);;所有文件 (*)"_s;

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
      m_menu(new QMenu(u"花名册(&R)"_s, &window))
{
    connect(m_menu->addAction(u"导入英雄(&I)…"_s), &QAction::triggered, this,
            &RosterMenu::ImportHeroes);
    connect(m_menu->addAction(u"导出英雄(&E)…"_s), &QAction::triggered, this,
            &RosterMenu::ExportHeroes);
    m_menu->addSeparator();
    connect(m_menu->addAction(u"导入病毒(&V)…"_s), &QAction::triggered, this,
            &RosterMenu::ImportViruses);
    connect(m_menu->addAction(u"导出病毒(&X)…"_s), &QAction::triggered, this,
            &RosterMenu::ExportViruses);
}

RosterMenu::~RosterMenu() = default;

std::optional<QByteArray> RosterMenu::pickAndRead(const QString& caption, QString& path)
{
    path = FileDialog::openFileName(&m_window, caption, LastFolder(), kCsvFilter);
    if (path.isEmpty())
        return std::nullopt;
    RememberFolder(path);
    QFile file(path);
    // One byte past the limit tells the reader that the file is too long.
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(RosterCsv::kMaxFileBytes + 1);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        MessageBox::show(
            &m_window, QMessageBox::Warning, caption,
            u"无法读取文件“%1”：%2"_s.arg(QDir::toNativeSeparators(path), file.errorString()),
            QMessageBox::Ok);
        return std::nullopt;
    }
    return bytes;
}

bool RosterMenu::reportRefusal(const QString& caption, const QString& path,
                               const QStringList& problems)
{
    if (problems.isEmpty())
        return false;
    QStringList shown = problems.mid(0, kProblemsShown);
    if (problems.size() > kProblemsShown)
        shown.append(u"……还有 %1 个问题。"_s.arg(problems.size() - kProblemsShown));
    MessageBox::show(&m_window, QMessageBox::Warning, caption,
                     u"文件“%1”有 %2 个问题，没有导入，表格保持原样：\n\n%3"_s
                         .arg(QDir::toNativeSeparators(path))
                         .arg(problems.size())
                         .arg(shown.join(u'\n')),
                     QMessageBox::Ok);
    return true;
}

void RosterMenu::ImportHeroes()
{
    const QString caption = u"导入英雄"_s;
    QString path;
    const std::optional<QByteArray> bytes = pickAndRead(caption, path);
    if (!bytes)
        return;
    auto heroes = std::make_unique<HeroTable>(m_tables.heroTable);
    const RosterCsv::ImportResult result = RosterCsv::ReadHeroes(*bytes, *heroes);
    if (reportRefusal(caption, path, result.problems))
        return;
    if (!result.notes.isEmpty()) {
        MessageBox::show(
            &m_window, QMessageBox::Information, caption,
            u"读入了 %1 位英雄，请在编辑窗口里查看后确定。"_s.arg(result.namedRows.size()) +
                NotesText(result.notes),
            QMessageBox::Ok);
    }
    m_editors.editHeroes(
        [&](CHeroesDlg& editor) { editor.loadImported(*heroes, result.namedRows); });
}

void RosterMenu::ImportViruses()
{
    const QString caption = u"导入病毒"_s;
    QString path;
    const std::optional<QByteArray> bytes = pickAndRead(caption, path);
    if (!bytes)
        return;
    auto viruses = std::make_unique<VirusTable>(m_tables.virusTable);
    const RosterCsv::ImportResult result = RosterCsv::ReadViruses(*bytes, *viruses);
    if (reportRefusal(caption, path, result.problems))
        return;
    if (!result.notes.isEmpty()) {
        MessageBox::show(
            &m_window, QMessageBox::Information, caption,
            u"读入了 %1 个病毒，请在编辑窗口里查看后确定。"_s.arg(result.namedRows.size()) +
                NotesText(result.notes),
            QMessageBox::Ok);
    }
    m_editors.editViruses(
        [&](CVirusDlg& editor) { editor.loadImported(*viruses, result.namedRows); });
}

QString RosterMenu::pickSavePath(const QString& caption, const QString& fileName)
{
    QString path = FileDialog::saveFileName(&m_window, caption,
                                            QDir(LastFolder()).filePath(fileName), kCsvFilter);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".csv"_s;
    RememberFolder(path);
    return path;
}

void RosterMenu::save(const QString& caption, const QString& path, const QByteArray& bytes,
                      int rows, const QString& what)
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (const std::optional<QString> failure = RosterCsv::SaveFile(path, bytes)) {
        MessageBox::show(&m_window, QMessageBox::Critical, caption,
                         u"无法保存“%1”：%2"_s.arg(shown, *failure), QMessageBox::Ok);
        return;
    }
    MessageBox::show(&m_window, QMessageBox::Information, caption,
                     u"已把 %1 %2导出到：\n%3"_s.arg(rows).arg(what, shown), QMessageBox::Ok);
}

void RosterMenu::ExportHeroes()
{
    const QString caption = u"导出英雄"_s;
    const QString path = pickSavePath(caption, u"英雄.csv"_s);
    if (!path.isEmpty())
        save(caption, path, RosterCsv::WriteHeroes(m_tables.heroTable), kHeroCount, u"位英雄"_s);
}

void RosterMenu::ExportViruses()
{
    const QString caption = u"导出病毒"_s;
    const QString path = pickSavePath(caption, u"病毒.csv"_s);
    if (!path.isEmpty())
        save(caption, path, RosterCsv::WriteViruses(m_tables.virusTable), kVirusCount, u"个病毒"_s);
}
