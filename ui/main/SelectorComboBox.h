#pragma once

#include <QComboBox>

// A selector of the main window: a drop-down list whose opened list shows at
// most kVisibleEntries entries (scrolling for the rest) instead of running
// the height of the screen, and which takes the mouse wheel only while it
// has the keyboard focus, so that scrolling over the window never changes a
// choice (and empties the plan) by accident. A chosen entry too long for the
// closed control (a long name with five-digit stats) is drawn in a smaller
// font rather than cut, and the opened list is as wide as its longest entry.
class CSelectorComboBox final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSelectorComboBox)

public:
    static constexpr int kVisibleEntries = 20;

    explicit CSelectorComboBox(QWidget* parent = nullptr);

    // Where the chosen entry's text is drawn, and in which font.
    QRect textRect() const;
    QFont textFont() const;

    void showPopup() override;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
