#include "ui/editors/EditListCtrl.h"

#include "ui/editors/EditListDelegate.h"

#include "resources/DialogTemplate.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include <utility>

CEditListCtrl::CEditListCtrl(QWidget* parent)
    : QTableView(parent), m_delegate(new EditListDelegate(this))
{
    setItemDelegate(m_delegate);
    // Edits open through a click on a cell's text, F2 on the current cell or
    // typing over it (keyPressEvent), only where the model allows it; never
    // through a double click.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab leaves the list for the dialog's next control, as in any dialog.
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);

    connect(this, &QAbstractItemView::clicked, this, &CEditListCtrl::onClicked);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CEditListCtrl::onScrollAction);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CEditListCtrl::onScrollAction);
}

CEditListCtrl* CEditListCtrl::fromTemplate(const ControlTemplate& control, QWidget* parent)
{
    auto* list = new CEditListCtrl(parent);
    list->setSelectionMode((control.style & kSingleSelect) != 0
                               ? QAbstractItemView::SingleSelection
                               : QAbstractItemView::ExtendedSelection);
    list->setFrameShape((control.style & kBorder) != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
    return list;
}

int CEditListCtrl::rowCount() const
{
    return model() != nullptr ? model()->rowCount() : 0;
}

int CEditListCtrl::columnCount() const
{
    return model() != nullptr ? model()->columnCount() : 0;
}

QString CEditListCtrl::cellText(int row, int column) const
{
    return model()->index(row, column).data(Qt::DisplayRole).toString();
}

Qt::CheckState CEditListCtrl::checkState(int row) const
{
    return model()->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>();
}

void CEditListCtrl::setCheckState(int row, Qt::CheckState state)
{
    model()->setData(model()->index(row, 0), state, Qt::CheckStateRole);
}

void CEditListCtrl::setCurrentCell(int row, int column)
{
    selectionModel()->setCurrentIndex(model()->index(row, column),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
}

QLineEdit* CEditListCtrl::editor() const
{
    return m_editing ? m_edit.data() : nullptr;
}

QRect CEditListCtrl::labelRect(int row, int column) const
{
    const QModelIndex index = model()->index(row, column);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return m_delegate->labelRect(option, index);
}

int CEditListCtrl::columnWidthFor(int column, const QString& text) const
{
    const QModelIndex index = model()->index(0, column);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = QRect(0, 0, columnWidth(column), rowHeight(0));
    const int besideText = option.rect.width() - m_delegate->labelRect(option, index).width();
    // The delegate keeps a margin inside the text rectangle on either side.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return besideText + 2 * margin + fontMetrics().horizontalAdvance(text) + 1;
}

QString CEditListCtrl::widestText(int length)
{
    return QString(length, QChar(0x6C49)); // 汉
}

bool CEditListCtrl::BeginEdit(int row, int column)
{
    const QModelIndex index = model()->index(row, column);
    if (m_editing || !index.isValid() || !index.flags().testFlag(Qt::ItemIsEditable))
        return false;

    m_editColumn = column;
    m_editing = true;
    m_editRow = row;
    scrollTo(index, QAbstractItemView::EnsureVisible);
    // The delegate builds the editor for the column, puts it over the cell's
    // text, fills it and selects all of it.
    if (!edit(index, QAbstractItemView::AllEditTriggers, nullptr)) {
        m_editing = false;
        return false;
    }
    m_edit = qobject_cast<QLineEdit*>(indexWidget(index));
    return true;
}

void CEditListCtrl::EndEdit(bool cancel)
{
    if (!m_editing)
        return;
    const QPointer<QLineEdit> edit = m_edit;
    const QModelIndex index = model()->index(m_editRow, m_editColumn);

    // An editor the view has already thrown away has no text left to commit.
    const bool committing = !cancel && edit != nullptr;

    m_editing = false;
    m_edit = nullptr;
    if (edit == nullptr)
        return;
    // Closing hands the focus back to the list if the editor had it.
    QTableView::closeEditor(edit, QAbstractItemDelegate::NoHint);
    m_endedCell = index;
    QTimer::singleShot(0, this, [this] { m_endedCell = QPersistentModelIndex(); });
    // The model keeps what it accepts as it stores it, and the cell shows
    // that; a text it refuses leaves the cell as it was.
    if (committing && index.isValid())
        m_delegate->setModelData(edit, model(), index);
}

namespace {

// A key that types a character into a cell: text without a command modifier.
// The space bar is the check box's (and the selection's), as in any list.
bool TypesText(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers command = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event.modifiers() & command) != 0 || event.text().isEmpty())
        return false;
    const QChar first = event.text().front();
    return first.isPrint() && !first.isSpace();
}

} // namespace

void CEditListCtrl::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (!m_editing && current.isValid()) {
        // F2 opens the current cell as it is; typing opens it with the
        // typed text over the whole of it (the editor's input rule applies).
        if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
            event->accept();
            BeginEdit(current.row(), current.column());
            return;
        }
        if (TypesText(*event) && BeginEdit(current.row(), current.column())) {
            event->accept();
            if (m_edit != nullptr)
                QCoreApplication::sendEvent(m_edit, event);
            return;
        }
    }
    if (!m_editing && event->matches(QKeySequence::Paste)) {
        event->accept();
        emit pasteRequested();
        return;
    }
    if (!m_editing && event->matches(QKeySequence::Copy)) {
        event->accept();
        emit copyRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CEditListCtrl::mousePressEvent(QMouseEvent* event)
{
    // The focus moved to the list before this press arrived; if that ended
    // the edit of the cell pressed, the view will ignore the click on it.
    const QModelIndex pressed = indexAt(event->position().toPoint());
    m_pressOnEndedCell = pressed.isValid() && pressed == m_endedCell
                             ? QPersistentModelIndex(pressed)
                             : QPersistentModelIndex();
    QTableView::mousePressEvent(event);
}

void CEditListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    // Where the click ended decides, in onClicked, whether it hit a cell's text.
    m_clickPos = event->position().toPoint();
    const QPersistentModelIndex pressOnEnded = std::exchange(m_pressOnEndedCell, {});
    const QVariant checkBefore = pressOnEnded.data(Qt::CheckStateRole);
    QTableView::mouseReleaseEvent(event);
    // The view drops a click whose press ended the edit of the same cell. On
    // the row's check box (beside the name's editor) the click still toggles
    // the box, as every click on a check box does.
    if (pressOnEnded.isValid() && !m_editing &&
        indexAt(event->position().toPoint()) == pressOnEnded &&
        pressOnEnded.data(Qt::CheckStateRole) == checkBefore) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualRect(pressOnEnded);
        if (itemDelegateForIndex(pressOnEnded)->editorEvent(event, model(), option, pressOnEnded))
            update(pressOnEnded);
    }
}

void CEditListCtrl::onClicked(const QModelIndex& index)
{
    if (m_editing || !index.isValid())
        return;
    // A click on a check box only toggles it: the box lies outside the text.
    if (labelRect(index.row(), index.column()).contains(m_clickPos))
        BeginEdit(index.row(), index.column());
}

void CEditListCtrl::commitData(QWidget* editor)
{
    // Every commit (Enter, the editor losing the focus, a click on another
    // cell) ends the edit here, so that the list's own state ends with it.
    if (m_editing && editor == m_edit)
        EndEdit(false);
}

void CEditListCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // An editor closed while its edit is still open was not committed: Escape.
    if (m_editing && editor == m_edit)
        EndEdit(true);
    // Tab: on to the dialog's next or previous control rather than into the
    // neighbouring cell. Any other close finds the editor closed already.
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem)
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

void CEditListCtrl::onScrollAction(int action)
{
    // The scroll bars commit the open edit before the rows move under it.
    if (m_editing) {
        EndEdit(false);
        setFocus();
    }
    // A page step repaints the whole list, not only what scrolled into view.
    if (action == QAbstractSlider::SliderPageStepAdd ||
        action == QAbstractSlider::SliderPageStepSub)
        viewport()->update();
}
