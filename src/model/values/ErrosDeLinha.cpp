#include "model/values/ErrosDeLinha.h"

#include "model/values/ArquivosTexto.h"
#include "model/values/TErro.h"

namespace {

QString InicioDaLinha(int N)
{
    return QStringLiteral("Linha: ") + QString::number(N) + QStringLiteral(" - ");
}

bool GravaNosLogs(bool Grava, const QString& Texto, const QString& Linha, TArquivoTexto& LogErros,
                  TArquivoTexto& LogRejeitadas)
{
    if (!Grava)
        return true;
    const bool gravouErro = GravaLinha(LogErros, Texto);
    const bool gravouLinha = GravaLinha(LogRejeitadas, Linha);
    return gravouErro && gravouLinha;
}

}   // namespace

QString MensagemDaLinha(std::uint8_t Codigo, const QString& Parametro)
{
    return Parametro.isEmpty() ? TErro::ComPontoFinal(TErro::Mensagem(Codigo))
                               : TErro::FormataMensagem(Codigo, Parametro);
}

QString TextoErroCampo(std::uint8_t Codigo, const QString& Campo, int N)
{
    if (Campo.isEmpty())
        return InicioDaLinha(N) + MensagemDaLinha(Codigo);
    return InicioDaLinha(N) + TErro::Mensagem(Codigo) + QStringLiteral(": ") + Campo + QLatin1Char('.');
}

void ConcatenaErros(const TErros& Erros, bool& HaErros, QString& Texto)
{
    for (int i = 0; i < Erros.Count(); ++i) {
        const TErro& erro = Erros.Items(i);
        if (erro.Tipo() != TipoDialogo::Erro)
            continue;
        HaErros = true;
        Texto = Texto.isEmpty() ? erro.GetMensagem() : Texto + QStringLiteral("; ") + erro.GetMensagem();
        if (Texto.endsWith(QLatin1Char('.')))
            Texto.chop(1);
    }
}

bool RegistraErroLinha(int Indice, std::uint8_t Codigo, const QString& Parametro, TArquivoTexto& Arquivo, bool& HaErro,
                       QString& Texto, std::vector<QString>& Linhas, int& N, QString& Linha)
{
    HaErro = true;
    const QString mensagem = MensagemDaLinha(Codigo, Parametro);
    Texto = Texto.isEmpty() ? InicioDaLinha(N) + mensagem : Texto + QStringLiteral("; ") + mensagem;
    Linhas.at(static_cast<std::size_t>(Indice)) = Texto;
    const bool leu = LeLinha(Arquivo, Linha);
    ++N;
    return leu;
}

bool RegistraErroCampo(bool Grava, std::uint8_t Codigo, const QString& Campo, TArquivoTexto& Entrada,
                       TArquivoTexto& LogErros, TArquivoTexto& LogRejeitadas, QString& Texto, QString& Linha, int& N,
                       int& Rejeitadas, int& Erros)
{
    Texto = TextoErroCampo(Codigo, Campo, N);
    const bool gravou = GravaNosLogs(Grava, Texto, Linha, LogErros, LogRejeitadas);
    ++Rejeitadas;
    ++Erros;
    const bool leu = LeLinha(Entrada, Linha);
    ++N;
    return gravou && leu;
}

bool RegistraErroSimples(bool Grava, std::uint8_t Codigo, const QString& Campo, TArquivoTexto& LogErros,
                         TArquivoTexto& LogRejeitadas, QString& Texto, const QString& Linha, int N, int& Erros)
{
    Texto = TextoErroCampo(Codigo, Campo, N);
    const bool gravou = GravaNosLogs(Grava, Texto, Linha, LogErros, LogRejeitadas);
    ++Erros;
    return gravou;
}
