// The windows in each language: Chinese with no translation installed (the
// texts as written), English with the program's translation, every text of
// a fixed dialog inside its control, and the language menu.

#include "resources/MainDialogIds.h"
#include "storage/SettingsStore.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "texts/Language.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/SelectDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/QuorvelDlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <iterator>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

bool HasChinese(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF && c.unicode() != 0x3000)
            return true;
    }
    return false;
}

// Every text a user reads on `window` and its children: captions, labels,
// buttons, group titles, tooltips, the entries of drop-down lists and the
// headings of lists.
QStringList ShownTexts(const QWidget& window)
{
    QStringList texts{window.windowTitle()};
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        if (!widget->toolTip().isEmpty())
            texts.append(widget->toolTip());
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts.append(label->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts.append(button->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            texts.append(group->title());
        else if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < box->count(); ++i)
                texts.append(box->itemText(i));
        } else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget)) {
            if (const QAbstractItemModel* model = view->model()) {
                for (int column = 0; column < model->columnCount(); ++column)
                    texts.append(model->headerData(column, Qt::Horizontal).toString());
            }
        }
    }
    return texts;
}

// The texts of a fixed dialog's labels, buttons and check boxes that run
// past their control without being cut and lent to the tooltip.
QStringList TextsPastTheirControls(const QWidget& window)
{
    QStringList faults;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty() || !label->isVisibleTo(&window))
            continue;
        const int width = label->fontMetrics().horizontalAdvance(label->text());
        if (width > label->contentsRect().width())
            faults.append(label->text());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(&window) ||
            button->parentWidget()->inherits("QMenuBar"))
            continue;
        if (button->sizeHint().width() > button->width() + 1)
            faults.append(button->text());
    }
    return faults;
}

// Heroes and viruses with Latin names: data stays as typed, so Chinese names
// would hide Chinese that should have been translated.
std::unique_ptr<PlanningTables> LatinTables()
{
    auto tables = ExampleTables();
    const char16_t* names[] = {u"Snowleaf",  u"Bluehaze",  u"Stonebam",
                               u"Frostsong", u"Cloudwell", u"Dawnwind"};
    for (int hero = 0; hero < 6; ++hero)
        SetHero(*tables, hero, names[hero],
                {tables->heroTable[hero].smart, tables->heroTable[hero].cute,
                 tables->heroTable[hero].abnormal});
    for (int hero = 6; hero < kHeroCount; ++hero) {
        std::fill(std::begin(tables->heroTable[hero].name), std::end(tables->heroTable[hero].name),
                  u'\0');
        std::u16string_view(u"Guest").copy(tables->heroTable[hero].name, kMaxNameLength);
    }
    for (VirusRecord& virus : tables->virusTable) {
        std::fill(std::begin(virus.name), std::end(virus.name), u'\0');
        std::u16string_view(u"Flu").copy(virus.name, kMaxNameLength);
    }
    return tables;
}

} // namespace

class TestLanguages final : public QObject
{
    Q_OBJECT

private:
    TemporarySettings m_settings;
    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;
    QTranslator* m_english = nullptr;

    void useEnglish()
    {
        m_english = InstallProgramTranslation(UiLanguage::English);
        QVERIFY(m_english != nullptr);
    }

    std::unique_ptr<CQuorvelDlg> makeWindow()
    {
        // Level 11, led by hero 0, 3 rounds with 1 crit: a plan to show.
        m_choices.m_lastVirus = 10;
        m_choices.m_lastHero = 0;
        m_choices.m_lastPlan = 4;
        return ShownMainWindow(*m_tables, m_choices);
    }

    static QString controlText(const CQuorvelDlg& window, int id)
    {
        QWidget* control = QuorvelDlgTestAccess::controls(window).get<QWidget>(id);
        if (const auto* button = qobject_cast<QAbstractButton*>(control))
            return button->text();
        if (const auto* group = qobject_cast<QGroupBox*>(control))
            return group->title();
        return {};
    }

    static QStringList menuTexts(const CQuorvelDlg& window)
    {
        QStringList texts;
        QList<QMenu*> menus;
        for (QAction* action : QuorvelDlgTestAccess::menuBar(window)->actions()) {
            texts.append(action->text());
            if (action->menu() != nullptr)
                menus.append(action->menu());
        }
        while (!menus.isEmpty()) {
            const QMenu* menu = menus.takeFirst();
            for (QAction* action : menu->actions()) {
                texts.append(action->text());
                if (action->menu() != nullptr)
                    menus.append(action->menu());
            }
        }
        return texts;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        RequirePreparedAnswers();
    }
    void init()
    {
        m_tables = LatinTables();
        m_choices = RememberedChoices{};
        MessageBox::resetLastShown();
    }
    void cleanup()
    {
        if (m_english != nullptr) {
            QCoreApplication::removeTranslator(m_english);
            delete m_english;
            m_english = nullptr;
        }
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    void chineseIsTheTextsAsWritten()
    {
        const auto window = makeWindow();
        QCOMPARE(window->windowTitle(), u"青梧药庐公会疫区组队助手"_s);
        QCOMPARE(controlText(*window, MainDialogIds::kSearchButton), u"查看组队方案"_s);
        QCOMPARE(controlText(*window, MainDialogIds::kTopmostCheck), u"保持窗口在顶端显示"_s);
        const QStringList menus = menuTexts(*window);
        QVERIFY2(menus.contains(u"帮助(&H)"_s), qPrintable(menus.join(u'|')));
        QVERIFY2(menus.contains(u"语言 / &Language"_s), qPrintable(menus.join(u'|')));
        const auto* strategies = QuorvelDlgTestAccess::controls(*window).get<QComboBox>(
            MainDialogIds::kStrategySelector);
        QVERIFY(strategies->itemText(0).contains(u"轮击败病毒"_s));
    }

    // No Chinese is left anywhere a user reads in English but the language
    // menu's own title and the name of Chinese in it.
    void englishThroughout()
    {
        useEnglish();
        const auto window = makeWindow();
        QCOMPARE(window->windowTitle(), u"Qingwu Apothecary Guild Plague Zone Planner"_s);
        QCOMPARE(controlText(*window, MainDialogIds::kSearchButton), u"Find team"_s);
        QCOMPARE(controlText(*window, MainDialogIds::kPlanGroup), u"Team plan"_s);
        const auto* strategies = QuorvelDlgTestAccess::controls(*window).get<QComboBox>(
            MainDialogIds::kStrategySelector);
        QVERIFY2(strategies->itemText(0).contains(u"win chance"_s),
                 qPrintable(strategies->itemText(0)));
        const auto* levels =
            QuorvelDlgTestAccess::controls(*window).get<QComboBox>(MainDialogIds::kTargetSelector);
        QVERIFY2(levels->itemText(10).startsWith(u"Level 11"_s), qPrintable(levels->itemText(10)));

        QStringList chinese;
        for (const QString& text : ShownTexts(*window) + menuTexts(*window)) {
            if (HasChinese(text) && text != u"语言 / &Language"_s && !text.startsWith(u"中文"_s))
                chinese.append(text);
        }
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(u'|')));
    }

    // English is longer than the Chinese the fixed dialogs were laid out
    // for: each text fits its control, drawn smaller or cut where it must.
    void englishFitsTheFixedDialogs()
    {
        useEnglish();
        const auto window = makeWindow();
        QVERIFY2(TextsPastTheirControls(*window).isEmpty(),
                 qPrintable(TextsPastTheirControls(*window).join(u'|')));
        CHeroesDlg heroes(m_tables->heroTable);
        CVirusDlg viruses(m_tables->virusTable);
        CSelectDlg select;
        for (QDialog* editor : std::initializer_list<QDialog*>{&heroes, &viruses, &select}) {
            editor->show();
            QVERIFY2(TextsPastTheirControls(*editor).isEmpty(),
                     qPrintable(TextsPastTheirControls(*editor).join(u'|')));
            const QString shown = ShownTexts(*editor).join(u'|');
            QVERIFY2(!HasChinese(shown), qPrintable(shown));
            editor->hide();
        }
    }

    // The menu writes the choice at once and says when it applies; choosing
    // the language already chosen says nothing.
    void theLanguageMenuRemembersTheChoice()
    {
        const SettingsStore settings;
        QCOMPARE(settings.readLanguageChoice(), LanguageChoice::System);
        const auto window = makeWindow();
        QMenu* languages = nullptr;
        for (QMenu* menu : window->findChildren<QMenu*>()) {
            if (menu->title() == u"语言 / &Language"_s)
                languages = menu;
        }
        QVERIFY(languages != nullptr);
        QAction* english = nullptr;
        QAction* system = nullptr;
        for (QAction* action : languages->actions()) {
            if (action->text() == u"&English"_s)
                english = action;
            else if (action->text() == u"跟随系统(&S)"_s)
                system = action;
        }
        QVERIFY(english != nullptr && system != nullptr);
        QVERIFY(system->isChecked());

        MessageBox::setNextAnswer(QMessageBox::Ok);
        english->trigger();
        QCOMPARE(settings.readLanguageChoice(), LanguageChoice::English);
        QVERIFY(english->isChecked());
        QCOMPARE(MessageBox::shownCount(), 1);
        QVERIFY(MessageBox::lastShown()->text.contains(u"下次启动"_s));

        english->trigger();
        QCOMPARE(MessageBox::shownCount(), 1);

        MessageBox::setNextAnswer(QMessageBox::Ok);
        system->trigger();
        QCOMPARE(settings.readLanguageChoice(), LanguageChoice::System);
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
