#include "model/values/TErro.h"

#include <stdexcept>

#include "model/values/Mensagens.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

std::uint16_t ComAjuda(std::uint16_t botoes, int helpCtx)
{
    return helpCtx > 0 ? static_cast<std::uint16_t>(botoes | Botao::Ajuda) : botoes;
}

}   // namespace

TErro::TErro(std::uint8_t Codigo, const QString& Parametro, int HelpCtx)
    : TErro(Codigo, Parametro, TipoDialogo::Erro, Botao::Ok, HelpCtx)
{}

TErro::TErro(std::uint8_t Codigo, const QString& Parametro, TipoDialogo Tipo, std::uint16_t Botoes, int HelpCtx)
    : TErro(Codigo, Parametro, Tipo, Botoes, HelpCtx, QString(), QString(), 0)
{}

TErro::TErro(std::uint8_t Codigo, const QString& Parametro, TipoDialogo Tipo, std::uint16_t Botoes, int HelpCtx,
             const QString& AQuemPertence, const QString& QuemEh, std::uint8_t Objeto)
    : FCodigo(Codigo)
    , FParametro(Parametro)
    , FTipo(Tipo)
    , FBotoes(ComAjuda(Botoes, HelpCtx))
    , FHelpCtx(HelpCtx)
    , FAQuemPertence(AQuemPertence)
    , FQuemEh(QuemEh)
    , FObjeto(Objeto)
    , FMensagem(FormataMensagem(Codigo, Parametro))
    , FMensagemUtf8(FMensagem.toUtf8())
{}

TErro::~TErro() = default;
TErro::TErro(const TErro&) = default;
TErro& TErro::operator=(const TErro&) = default;

const char* TErro::what() const noexcept
{
    return FMensagemUtf8.constData();
}

Resposta TErro::Exibe() const
{
    // The code goes along so that a test can tell which message was shown.
    return InterfaceUsuario::Mostra(FMensagem, FTipo, FBotoes, FHelpCtx, FCodigo);
}

QString TErro::Mensagem(std::uint8_t Codigo)
{
    return Mensagens::Texto(Codigo);
}

QString TErro::FormataMensagem(std::uint8_t Codigo, const QString& Parametro)
{
    QString texto = Mensagem(Codigo);
    const QString marcador = QStringLiteral("%s");
    qsizetype leitura = 0;   // read position in Parametro
    bool temMarcador = false;
    qsizetype i = 0;
    while (i + 1 < texto.size()) {
        if (!QStringView(texto).mid(i, 2).startsWith(marcador)) {
            ++i;
            continue;
        }
        temMarcador = true;
        QString parte;
        if (leitura < Parametro.size()) {
            const qsizetype fim = Parametro.indexOf(QLatin1Char(';'), leitura);
            const qsizetype ate = fim < 0 ? Parametro.size() : fim;
            parte = Parametro.mid(leitura, ate - leitura);
            leitura = fim < 0 ? Parametro.size() : fim + 1;
        }
        if (parte.isEmpty()) {
            // The marker goes with the character after it, so that no double blank is left.
            texto.remove(i, 3);
        } else {
            texto.replace(i, 2, parte);
            // Go on after the part: a "%s" typed inside a value is not a marker.
            i += parte.size();
        }
    }

    if (!temMarcador && !Parametro.isEmpty())
        texto += QStringLiteral(": ") + Parametro;
    else if (temMarcador && Parametro.size() - leitura >= 2)
        texto += QStringLiteral(": ") + Parametro.mid(leitura);

    // A text that already ends in a full stop (messages 1 and 2 do) keeps the one it has.
    return texto.contains(QLatin1Char('?')) ? texto : ComPontoFinal(texto);
}

QString TErro::ComPontoFinal(const QString& Texto)
{
    if (Texto.endsWith(QLatin1Char('.')) || Texto.endsWith(QLatin1Char('?')))
        return Texto;
    return Texto + QLatin1Char('.');
}

Resposta TErro::MostraMensagem(const QString& Texto, TipoDialogo Tipo, std::uint16_t Botoes, int HelpCtx)
{
    return InterfaceUsuario::Mostra(Texto, Tipo, Botoes, HelpCtx);
}

QString ErroRetornado(const QString& Nome, const QString& Texto)
{
    // A ';' would start the message's next part and cut the system's text short.
    return Nome + QStringLiteral(". Erro Retornado: ") + QString(Texto).replace(QLatin1Char(';'), QLatin1Char(','));
}

void TErros::Add(std::unique_ptr<TErro> Erro)
{
    if (Erro)
        FLista.push_back(std::move(Erro));
}

TErro& TErros::Items(int Indice)
{
    if (Indice < 0 || Indice >= Count())
        throw std::out_of_range("TErros::Items: index " + std::to_string(Indice) + " outside the list");
    return *FLista[static_cast<std::size_t>(Indice)];
}

const TErro& TErros::Items(int Indice) const
{
    return const_cast<TErros*>(this)->Items(Indice);
}

void TErros::Limpa()
{
    FLista.clear();
}
