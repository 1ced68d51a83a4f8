// Qt's own dialogs and buttons in the program's language: the translations
// from Qt's folder (Debian's qt6-translations-l10n) loaded at start-up.

#include "ui/common/QtTranslations.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool HasChinese(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

} // namespace

class TestQtTranslations final : public QObject
{
    Q_OBJECT

private slots:
    void qtsChineseIsTheUsersVariant_data()
    {
        QTest::addColumn<QLocale>("user");
        QTest::addColumn<QString>("program");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << u"zh_CN"_s;
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << u"zh_CN"_s;
        QTest::newRow("mainland") << QLocale(QLocale::Chinese, QLocale::China) << u"zh_CN"_s;
        QTest::newRow("Taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan) << u"zh_TW"_s;
    }
    void qtsChineseIsTheUsersVariant()
    {
        QFETCH(QLocale, user);
        QFETCH(QString, program);
        QCOMPARE(QtTranslations::ProgramLocale(user).name(), program);
    }

    // Before: Qt's English. After: Qt's Chinese, in the standard buttons,
    // the file dialog and an edit box's context menu.
    void qtsOwnTextsTurnChinese()
    {
        QDialogButtonBox before(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(before.button(QDialogButtonBox::Cancel)->text(), u"Cancel"_s);

        QVERIFY(QtTranslations::Install(QLocale(QLocale::Chinese, QLocale::China)));

        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                 QDialogButtonBox::Retry);
        QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text(), u"确定"_s);
        QVERIFY2(buttons.button(QDialogButtonBox::Cancel)->text().startsWith(u"取消"_s),
                 qPrintable(buttons.button(QDialogButtonBox::Cancel)->text()));
        QVERIFY(HasChinese(buttons.button(QDialogButtonBox::Retry)->text()));

        QFileDialog files(nullptr, u"打开"_s);
        files.setOption(QFileDialog::DontUseNativeDialog);
        for (const auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType,
                                 QFileDialog::Accept, QFileDialog::Reject}) {
            QVERIFY2(HasChinese(files.labelText(label)), qPrintable(files.labelText(label)));
        }

        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                texts.append(action->text());
        }
        QVERIFY(!texts.isEmpty());
        for (const QString& text : texts)
            QVERIFY2(HasChinese(text), qPrintable(text));
    }
};

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
