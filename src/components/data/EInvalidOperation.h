#pragma once
#include <QByteArray>
#include <QString>
#include <exception>

// An operation that the component library refuses in the current state (a text that its picture
// mask does not accept); the message is meant for the user.
class EInvalidOperation : public std::exception {
public:
    explicit EInvalidOperation(const QString& mensagem)
        : FMensagem(mensagem), FUtf8(mensagem.toUtf8()) {}

    [[nodiscard]] const QString& Mensagem() const noexcept { return FMensagem; }
    [[nodiscard]] const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMensagem;
    QByteArray FUtf8;
};
