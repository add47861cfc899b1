#pragma once
#include <QLabel>

// A transparent key area over the panel's artwork: a hand cursor, a click on release,
// and a double click that follows the first click (so a double click gives both).
class KeyLabel : public QLabel {
    Q_OBJECT
public:
    KeyLabel(const QString& name, const QRect& area, QWidget* parent);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool pressed = false;
};
