#pragma once
#include <QByteArray>
#include <QString>
#include <concepts>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include "model/values/CodigoMensagem.h"
#include "platform/ui/IDialogos.h"

// The error of the model: a message code of the table Mensagens with its parameter (the values
// for the message, separated by ";"), and how it is shown. What() and GetMensagem() give the
// final text, fixed at construction.
class TErro : public std::exception {
public:
    // Create: an error dialog with the OK button.
    TErro(std::uint8_t Codigo, const QString& Parametro, int HelpCtx);
    // CreateCompleto.
    TErro(std::uint8_t Codigo, const QString& Parametro, TipoDialogo Tipo, std::uint16_t Botoes, int HelpCtx);
    // CreatePendencia: a pending item of the verification; Tipo Aviso is a warning, Erro an error.
    TErro(std::uint8_t Codigo, const QString& Parametro, TipoDialogo Tipo, std::uint16_t Botoes, int HelpCtx,
          const QString& AQuemPertence, const QString& QuemEh, std::uint8_t Objeto);
    // Every constructor adds the Help button when HelpCtx is above 0.

    ~TErro() override;
    TErro(const TErro&);
    TErro& operator=(const TErro&);

    [[nodiscard]] std::uint8_t Codigo() const { return FCodigo; }
    [[nodiscard]] const QString& Parametro() const { return FParametro; }
    [[nodiscard]] TipoDialogo Tipo() const { return FTipo; }
    [[nodiscard]] std::uint16_t Botoes() const { return FBotoes; }
    [[nodiscard]] int HelpCtx() const { return FHelpCtx; }
    [[nodiscard]] const QString& AQuemPertence() const { return FAQuemPertence; }   // owner of a pending item
    [[nodiscard]] const QString& QuemEh() const { return FQuemEh; }                 // who the item is
    [[nodiscard]] std::uint8_t Objeto() const { return FObjeto; }                   // field it concerns

    [[nodiscard]] const QString& GetMensagem() const { return FMensagem; }
    [[nodiscard]] const char* what() const noexcept override;   // the same text, UTF-8

    // Shows the error through the dialog seam and returns the button pressed.
    Resposta Exibe() const;

    // The raw text of a code.
    static QString Mensagem(std::uint8_t Codigo);
    // Each "%s" takes the next ";"-separated part of Parametro (an empty part deletes the marker
    // and the character after it); parts left over, or the whole parameter when the text has no
    // marker, are appended after ": "; a final "." unless the text holds "?" or ends in one.
    static QString FormataMensagem(std::uint8_t Codigo, const QString& Parametro);
    // Texto closed by a full stop, unless it already ends in one or in a question mark.
    static QString ComPontoFinal(const QString& Texto);
    // Shows a text in the standard message dialog and returns the button pressed.
    static Resposta MostraMensagem(const QString& Texto, TipoDialogo Tipo, std::uint16_t Botoes, int HelpCtx);

private:
    std::uint8_t FCodigo;
    QString FParametro;
    TipoDialogo FTipo;
    std::uint16_t FBotoes;
    int FHelpCtx;
    QString FAQuemPertence;
    QString FQuemEh;
    std::uint8_t FObjeto = 0;
    QString FMensagem;
    QByteArray FMensagemUtf8;
};

// The parameter of a failed table or file: its name, ". Erro Retornado: " and the system's own
// text, as the user reads it after the message (its ';' read as ',', as they would split it).
QString ErroRetornado(const QString& Nome, const QString& Texto);

// Each names the kind of value or record that failed; none adds anything to TErro.
class EContribuinteInvalido : public TErro {
public:
    using TErro::TErro;
};   // CPF, CNPJ, names
class EFoneInvalido : public TErro {
public:
    using TErro::TErro;
};   // area code, phone, extension
class EEmailInvalido : public TErro {
public:
    using TErro::TErro;
};   // e-mail address
class EMonetarioInvalido : public TErro {
public:
    using TErro::TErro;
};   // money and numbers
class EColecaoError : public TErro {
public:
    using TErro::TErro;
};   // a collection's rows
class EDadosError : public TErro {
public:
    using TErro::TErro;
};   // opening a table, an index
class EEspacoEmDiscoError : public TErro {
public:
    using TErro::TErro;
};   // too little free disk space
class EDbError : public TErro {
public:
    using TErro::TErro;
};   // writing through the table routines

// The errors collected by the setters that do not raise, by loads and by checks; owns them.
class TErros {
public:
    TErros() = default;
    TErros(const TErros&) = delete;
    TErros& operator=(const TErros&) = delete;
    TErros(TErros&&) = default;
    TErros& operator=(TErros&&) = default;

    void Add(std::unique_ptr<TErro> Erro);   // a null pointer is ignored
    // Keeps a copy of the error, of its own class.
    template <std::derived_from<TErro> E> void Add(const E& Erro) { Add(std::make_unique<E>(Erro)); }

    [[nodiscard]] int Count() const { return static_cast<int>(FLista.size()); }
    [[nodiscard]] bool Vazia() const { return FLista.empty(); }
    // From 0; an index outside the list raises std::out_of_range.
    [[nodiscard]] TErro& Items(int Indice);
    [[nodiscard]] const TErro& Items(int Indice) const;
    void Limpa();

private:
    std::vector<std::unique_ptr<TErro>> FLista;
};

// The report of a setter that does not raise: into its sink, or raised when it has none, so that
// the error is never lost.
template <std::derived_from<TErro> E> void RegistraErro(TErros* Erros, const E& Erro)
{
    if (!Erros)
        throw Erro;
    Erros->Add(Erro);
}
