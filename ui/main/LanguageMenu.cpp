#include "ui/main/LanguageMenu.h"

#include "storage/SettingsStore.h"
#include "texts/Language.h"
#include "ui/common/MessageBox.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

QString Tr(const char* source)
{
    return QCoreApplication::translate("LanguageMenu", source);
}

void Choose(QWidget* parent, LanguageChoice choice)
{
    const SettingsStore settings;
    if (settings.readLanguageChoice() == choice)
        return;
    if (!settings.writeLanguageChoice(choice)) {
        MessageBox::show(
            parent, QMessageBox::Warning, Tr(QT_TRANSLATE_NOOP("LanguageMenu", "语言")),
            Tr(QT_TRANSLATE_NOOP("LanguageMenu", "无法保存语言的选择：设置文件不能写入。")),
            QMessageBox::Ok);
        return;
    }
    MessageBox::show(parent, QMessageBox::Information,
                     Tr(QT_TRANSLATE_NOOP("LanguageMenu", "语言")),
                     Tr(QT_TRANSLATE_NOOP("LanguageMenu", "下次启动 Quorvel 时改用所选的语言。")),
                     QMessageBox::Ok);
}

} // namespace

QMenu* CreateLanguageMenu(QWidget* parent)
{
    auto* menu = new QMenu(Tr(QT_TRANSLATE_NOOP("LanguageMenu", "语言 / &Language")), parent);
    auto* group = new QActionGroup(menu);
    const struct
    {
        LanguageChoice choice;
        QString text;
    } entries[] = {
        {LanguageChoice::System, Tr(QT_TRANSLATE_NOOP("LanguageMenu", "跟随系统(&S)"))},
        // Each language under its own name, whatever the current one.
        {LanguageChoice::Chinese, Tr(QT_TRANSLATE_NOOP("LanguageMenu", "中文(&C)"))},
        {LanguageChoice::English, u"&English"_s},
    };
    const LanguageChoice current = SettingsStore().readLanguageChoice();
    for (const auto& entry : entries) {
        QAction* action = menu->addAction(entry.text);
        action->setCheckable(true);
        action->setChecked(entry.choice == current);
        action->setActionGroup(group);
        const LanguageChoice choice = entry.choice;
        QObject::connect(action, &QAction::triggered, parent,
                         [parent, choice] { Choose(parent, choice); });
    }
    return menu;
}
