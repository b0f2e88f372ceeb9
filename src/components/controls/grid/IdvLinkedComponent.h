#pragma once

class QObject;

enum class TOperation { opInsert, opRemove };

// A component that keeps a reference to another one and must learn when that one goes away.
class IdvLinkedComponent {
public:
    virtual ~IdvLinkedComponent() = default;
    // componente is still whole while this runs; with opRemove it is being destroyed.
    virtual void Notification(QObject* componente, TOperation operacao) = 0;
};
