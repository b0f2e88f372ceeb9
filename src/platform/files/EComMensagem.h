#pragma once
#include <QByteArray>
#include <QString>
#include <exception>

// The base of the errors of the platform layers and the component library that carry only a
// text. Each error stays a class of its own, since callers catch them by name; this base is
// never thrown itself.
class EComMensagem : public std::exception {
public:
    [[nodiscard]] const QString& Mensagem() const noexcept { return FMensagem; }
    [[nodiscard]] const char* what() const noexcept override { return FUtf8.constData(); }

protected:
    explicit EComMensagem(const QString& mensagem)
        : FMensagem(mensagem)
        , FUtf8(mensagem.toUtf8())
    {}

private:
    QString FMensagem;
    QByteArray FUtf8;   // what() answers a pointer into it
};
