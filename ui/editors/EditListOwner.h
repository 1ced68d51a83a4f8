#pragma once

#include <QString>

class CEditListCtrl;

// What a CEditListCtrl asks of the dialog that holds it. The list keeps no data
// of its own beyond the cell texts: the owner decides which cells may be
// edited, validates every finished edit and stores it in its own records.
class EditListOwner
{
public:
    // Asked before an edit of (row, column) begins; row counts the rows as
    // displayed. Returning false refuses the edit: no editor opens and the list
    // stays exactly as it was, which is how an owner makes a column read-only.
    virtual bool beginLabelEdit(CEditListCtrl& list, int row, int column) = 0;

    // Told when the edit of (row, column) ends. `text` is null when the edit was
    // cancelled; the answer is then ignored and the cell never changes. On a
    // commit `text` holds the editor's text in a buffer the owner may rewrite in
    // place (cut a name, normalise a number) while the call lasts; returning true
    // puts the buffer's text, as the owner left it, into the cell, returning
    // false leaves the cell's old text. The pointer is not valid after the call.
    virtual bool endLabelEdit(CEditListCtrl& list, int row, int column, QString* text) = 0;

protected:
    EditListOwner() = default;
    EditListOwner(const EditListOwner&) = default;
    EditListOwner& operator=(const EditListOwner&) = default;
    ~EditListOwner() = default;
};
