#include "ui/common/DialogBuilder.h"

#include "ui/common/AccessibleNames.h"
#include "ui/common/DigitKeysOnly.h"
#include "ui/common/FittedText.h"
#include "ui/common/KeyboardUse.h"
#include "ui/common/TemplateGroupBox.h"
#include "ui/common/UpDownCtrl.h"
#include "ui/common/WindowPlacement.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// A label that ends its row may take the free room to its right, up to
// where the dialog's other controls end (a translation is often longer than
// the Chinese the template was laid out for).
void WidenIntoFreeRoom(QLabel* label, int neededWidth)
{
    const QWidget* parent = label->parentWidget();
    if (parent == nullptr || neededWidth <= label->width())
        return;
    const QList<QWidget*> siblings = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    int limit = label->geometry().right() + 1;
    for (const QWidget* sibling : siblings) {
        if (sibling != label && !sibling->isWindow())
            limit = std::max(limit, std::min(sibling->geometry().right() + 1, parent->width()));
    }
    const QRect row = label->geometry();
    for (const QWidget* sibling : siblings) {
        const QRect other = sibling->geometry();
        if (sibling != label && other.left() > row.left() && other.top() <= row.bottom() &&
            other.bottom() >= row.top())
            limit = std::min(limit, other.left() - 2);
    }
    if (limit > row.right() + 1)
        label->resize(std::min(neededWidth, limit - label->x()), label->height());
}

// A fixed control whose text would run past it (a translation, longer than
// the Chinese it was laid out for) keeps its place: a label first takes the
// free room beside it; then the text is drawn smaller, down to the smallest
// readable size, and past that cut with an ellipsis, the whole of it in the
// tooltip.
void FitTemplateText(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty())
            return;
        WidenIntoFreeRoom(label, QFontMetrics(label->font()).horizontalAdvance(label->text()) +
                                     label->width() - label->contentsRect().width());
        SetFittedText(label, label->text());
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button == nullptr || button->text().isEmpty() ||
        button->sizeHint().width() <= button->width())
        return;
    // The room the style leaves beside the text: what the hint adds to it.
    const QString text = button->text();
    const QString shown = QString(text).remove(u'&');
    const int frame =
        button->sizeHint().width() - QFontMetrics(button->font()).horizontalAdvance(shown);
    const int room = button->width() - std::max(frame, 0);
    const QFont font = FontToFit(button->font(), shown, room);
    button->setFont(font);
    if (QFontMetrics(font).horizontalAdvance(shown) > room) {
        button->setToolTip(shown);
        button->setText(ElidedToFit(font, shown, room));
    }
}

// A template's text as the user reads it: its translation.
QString TemplateText(const char* source)
{
    if (source == nullptr || *source == '\0')
        return {};
    return QCoreApplication::translate(kTemplateTextContext, source);
}

// Windows' MulDiv: a × b / c rounded to the nearest, halves away from zero.
int MulDiv(int a, int b, int c)
{
    const double exact = static_cast<double>(a) * b / c;
    return static_cast<int>(std::lround(exact));
}

bool HasChineseGlyphs(const QString& family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

QString ChineseFamily()
{
    // The platforms' own Chinese user-interface fonts, first found wins.
    static const QStringList candidates{u"Microsoft YaHei UI"_s, u"Microsoft YaHei"_s,
                                        u"PingFang SC"_s,        u"WenQuanYi Micro Hei"_s,
                                        u"Noto Sans CJK SC"_s,   u"Source Han Sans SC"_s};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates) {
        if (installed.contains(family))
            return family;
    }
    return u"WenQuanYi Micro Hei"_s;
}

QWidget* MakeDefaultControl(const ControlTemplate& control, QWidget* parent)
{
    const QString text = TemplateText(control.text);
    switch (control.kind) {
    case ControlKind::Static: {
        auto* label = new QLabel(text, parent);
        // Plain text: a leading "<" (as in "<--未选择英雄") is no markup.
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::GroupBox:
        return new CTemplateGroupBox(text, parent);
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(true);
        button->setDefault(control.kind == ControlKind::DefaultPushButton);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::DropDownList: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        return combo;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        edit->setFrame((control.style & kBorder) != 0);
        if ((control.style & kDigitsOnly) != 0)
            DigitKeysOnly::install(edit);
        return edit;
    }
    case ControlKind::ListView: {
        auto* list = new QTreeWidget(parent);
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setItemsExpandable(false);
        list->setSelectionMode((control.style & kSingleSelect) != 0
                                   ? QAbstractItemView::SingleSelection
                                   : QAbstractItemView::ExtendedSelection);
        list->setFrameShape((control.style & kBorder) != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
        return list;
    }
    case ControlKind::UpDown: {
        auto* spin = new CUpDownCtrl(parent);
        spin->setArrowKeys((control.style & kArrowKeys) != 0);
        return spin;
    }
    }
    return new QWidget(parent);
}

bool TakesFocus(ControlKind kind)
{
    return kind != ControlKind::Static && kind != ControlKind::GroupBox &&
           kind != ControlKind::UpDown;
}

} // namespace

QFont DialogFont(int points)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QFontInfo resolved(font);
    if (!HasChineseGlyphs(resolved.family())) {
        // The Chinese font leads, and its Latin letters set the base units:
        // the templates were laid out for a font whose Chinese glyphs are
        // about two of its Latin letters wide.
        font.setFamilies({ChineseFamily(), resolved.family()});
    }
    font.setPointSize(points);
    return font;
}

QSize DialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"_s);
    return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnitsToPixels(const QRect& dialogUnits, const QFont& font)
{
    const QSize base = DialogBaseUnits(font);
    return {MulDiv(dialogUnits.x(), base.width(), 4), MulDiv(dialogUnits.y(), base.height(), 8),
            MulDiv(dialogUnits.width(), base.width(), 4),
            MulDiv(dialogUnits.height(), base.height(), 8)};
}

DialogControls BuildDialog(QDialog& dialog, const DialogTemplate& tmpl,
                           const ControlFactory& customFactory, QWidget* clientArea)
{
    QWidget* parent = clientArea != nullptr ? clientArea : &dialog;
    const QFont font = DialogFont(tmpl.fontPoints);
    dialog.setFont(font);
    dialog.setWindowTitle(TemplateText(tmpl.caption));

    Qt::WindowFlags flags =
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((tmpl.flags & kMinimizeBox) != 0)
        flags |= Qt::WindowMinimizeButtonHint;
    dialog.setWindowFlags(flags);

    const QSize client = DialogUnitsToPixels(QRect(0, 0, tmpl.width, tmpl.height), font).size();
    if (clientArea != nullptr)
        clientArea->resize(client);
    if ((tmpl.flags & kResizable) != 0)
        dialog.resize(client);
    else
        dialog.setFixedSize(client);

    DialogControls controls;
    QWidget* previousTabStop = nullptr;
    QList<QWidget*> created;
    for (const ControlTemplate& control : tmpl.controls) {
        QWidget* widget = customFactory ? customFactory(control, parent) : nullptr;
        if (widget == nullptr)
            widget = MakeDefaultControl(control, parent);
        widget->setFont(font);

        QRect pixels =
            DialogUnitsToPixels(QRect(control.x, control.y, control.width, control.height), font);
        // A drop-down list's template height includes the opened list; closed
        // it is as tall as the style makes it.
        if (control.kind == ControlKind::DropDownList)
            pixels.setHeight(std::min(pixels.height(), widget->sizeHint().height()));
        widget->setGeometry(pixels);

        if ((control.style & kTabStop) != 0) {
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop != nullptr)
                QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        } else if (TakesFocus(control.kind)) {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        controls.add(control.id, widget);
        created.append(widget);
    }
    // Once every control has its place, so that a label sees what is beside it.
    for (QWidget* widget : created)
        FitTemplateText(widget);
    // A template larger than the screen (a small screen, a large scaling)
    // is reduced to fit it, its own layout rule placing the controls.
    WindowPlacement::KeepOnScreen(dialog);
    AccessibleNames::NameOnShow(dialog);
    KeyboardUse::FrameFocusFromTheStart(dialog);
    return controls;
}
