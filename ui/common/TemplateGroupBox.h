#pragma once

#include <QGroupBox>

// A group box laid out as the dialog templates mean it: the frame's top line
// runs through the middle of the caption, half a line below the control's
// top, and the caption interrupts it a little way in from the left corner.
// Styles that draw the caption above the frame (Fusion does) would put the
// line a whole caption lower, through the controls the template places just
// inside the frame.
class CTemplateGroupBox final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTemplateGroupBox)

public:
    explicit CTemplateGroupBox(const QString& title, QWidget* parent = nullptr);

    // In the box's own coordinates: where the frame's top line is drawn and
    // where the caption is.
    int frameTop() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
