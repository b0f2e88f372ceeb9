#pragma once
#include <QByteArray>
#include <QString>
#include <exception>

// A grid was asked for something it cannot do (an index out of range, too many columns).
class EInvalidGridOperation : public std::exception {
public:
    explicit EInvalidGridOperation(const QString& mensagem) : FMensagem(mensagem), FUtf8(mensagem.toUtf8()) {}

    [[nodiscard]] const QString& Mensagem() const noexcept { return FMensagem; }
    [[nodiscard]] const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMensagem;
    QByteArray FUtf8;
};
