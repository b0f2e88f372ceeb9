#pragma once
#include <QObject>
#include <QPointer>

class QWidget;

// Tab enters a group of radio buttons on its checked option, as desktop users expect, and the
// next Tab leaves the group: the arrows move within it. Installed once on the application.
class TTabNoGrupo final : public QObject {
    Q_OBJECT
public:
    explicit TTabNoGrupo(QObject* pai = nullptr);
    ~TTabNoGrupo() override;

    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QPointer<QWidget> FAnterior;   // the control that had the focus before the last one
};
