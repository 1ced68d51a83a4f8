#pragma once

#include <QObject>

class QLineEdit;

// Keeps the keyboard of a number edit to digits while leaving pasted and
// dropped text alone: a cell copied from a spreadsheet ("12\t", " 12") or a
// number with a unit ("12abc") goes in whole, and whoever reads the edit reads
// it as a number the way it reads any text. A validator would refuse such a
// paste outright, and the user would see nothing happen.
class DigitKeysOnly final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DigitKeysOnly)

public:
    // Installs the filter on `edit`; it lives as long as the edit.
    static void install(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DigitKeysOnly(QObject* parent) : QObject(parent) {}
};
