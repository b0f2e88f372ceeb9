#pragma once
#include <QString>

#include "platform/files/EComMensagem.h"

// A grid was asked for something it cannot do (an index out of range, too many columns).
class EInvalidGridOperation : public EComMensagem {
public:
    explicit EInvalidGridOperation(const QString& mensagem)
        : EComMensagem(mensagem)
    {}
};
