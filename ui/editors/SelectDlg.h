#pragma once

#include "ui/common/DialogControls.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLineEdit;

// The batch selection "批量选择": one sentence, read left to right, of an
// action and a range of item numbers counted from 1, e.g. "选中 第 1 至 128 项".
// It only asks; the caller applies the values after an accepted run.
class CSelectDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSelectDlg)

public:
    explicit CSelectDlg(QWidget* parent = nullptr);
    ~CSelectDlg() override;

    // 0 = tick ("选中"), 1 = untick ("取消"), -1 when nothing is chosen.
    int action() const { return m_nAction; }
    std::uint32_t from() const { return m_nFrom; }
    std::uint32_t to() const { return m_nTo; }

    const DialogControls& controls() const { return m_controls; }

    // OK: reads the combo box, then each edit as an unsigned number; an edit
    // without a number is pointed out and keeps the dialog open.
    void accept() override;

private:
    bool readBound(QLineEdit* edit, std::uint32_t& bound);

    int m_nAction = 0;
    std::uint32_t m_nFrom = 1;
    std::uint32_t m_nTo = 128;

    DialogControls m_controls;
    QComboBox* m_actionCombo = nullptr;
    QLineEdit* m_fromEdit = nullptr;
    QLineEdit* m_toEdit = nullptr;
};
