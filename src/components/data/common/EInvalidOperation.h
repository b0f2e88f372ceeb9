#pragma once
#include <QString>

#include "platform/files/EComMensagem.h"

// An operation that the component library refuses in the current state (a text that its picture
// mask does not accept); the message is meant for the user.
class EInvalidOperation : public EComMensagem {
public:
    explicit EInvalidOperation(const QString& mensagem)
        : EComMensagem(mensagem)
    {}
};
