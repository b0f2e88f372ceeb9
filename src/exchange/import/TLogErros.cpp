#include "exchange/import/TLogErros.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/values/ArquivosTexto.h"
#include "model/values/TErro.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TPastas.h"

QString TLogErros::NomeErros()
{
    return QStringLiteral("Erros.txt");
}

QString TLogErros::NomeLinhasErro()
{
    return QStringLiteral("LinhaErro.txt");
}

QString TLogErros::NomeSemNi()
{
    return QStringLiteral("ErroNoNi");
}

TLogErros::TLogErros()
    : FPasta(TPastas::ErroImp())
{}

QString TLogErros::NomeSeguro(const QString& Nome)
{
    QString nome = Nome;
    nome.replace(QLatin1Char('\\'), QLatin1Char('/'));
    nome = nome.mid(nome.lastIndexOf(QLatin1Char('/')) + 1).trimmed();
    if (nome.isEmpty() || nome == QStringLiteral(".") || nome == QStringLiteral(".."))
        return NomeSemNi();
    return nome;
}

void TLogErros::SetNomeBase(const QString& NomeBase)
{
    FNomeBase = NomeSeguro(NomeBase);
}

bool TLogErros::Inicia(const QString& NomeBase, const TPergunta& Pergunta)
{
    Fecha();
    SetNomeBase(NomeBase);
    FRegistrados = 0;
    FFalhouEscrita = false;
    FArquivoFalho.clear();
    if (!CriaArquivoTexto(FErros, FPasta + QLatin1Char('/') + NomeErros(), Pergunta))
        return false;
    if (!CriaArquivoTexto(FLinhas, FPasta + QLatin1Char('/') + NomeLinhasErro(), Pergunta)) {
        FErros.Descarta();
        return false;
    }
    return true;
}

bool TLogErros::RegistraErro(int Numero, const QString& Mensagem, const QString& Linha)
{
    return Registra(QStringLiteral("Linha: ") + QString::number(Numero) + QStringLiteral(" - ") + Mensagem, Linha);
}

QString TLogErros::TextoOmitidos(int Omitidos)
{
    return QStringLiteral("Mais %1 linhas rejeitadas ou com aviso não foram listadas.").arg(Omitidos);
}

bool TLogErros::Registra(const QString& Texto, const QString& Linha)
{
    if (FRegistrados >= MaximoRegistros) {
        ++FRegistrados;
        return true;
    }
    const bool gravouTexto = GravaLinha(FErros, Texto) || Falhou(NomeErros());
    const bool gravouLinha = GravaLinha(FLinhas, Linha) || Falhou(NomeLinhasErro());
    ++FRegistrados;
    return gravouTexto && gravouLinha;
}

bool TLogErros::Falhou(const QString& Nome)
{
    if (!FFalhouEscrita)
        FArquivoFalho = Nome;
    FFalhouEscrita = true;
    return false;
}

void TLogErros::Fecha()
{
    const struct {
        TArquivoTexto* arquivo;
        QString nome;
    } arquivos[] = {{&FErros, NomeErros()}, {&FLinhas, NomeLinhasErro()}};
    for (const auto& a : arquivos) {
        const bool escrevia = a.arquivo->AbertoParaEscrita();
        if (!a.arquivo->Fecha() && escrevia)
            Falhou(a.nome);
    }
}

bool TLogErros::Substitui(const QString& Origem, const QString& Destino)
{
    QString erro;
    return TArquivoNovo::Renomeia(Origem, Destino, erro);
}

bool TLogErros::Conclui()
{
    const bool escrevia = FErros.AbertoParaEscrita() || FLinhas.AbertoParaEscrita();
    if (escrevia && FRegistrados > MaximoRegistros) {
        if (!GravaLinha(FErros, TextoOmitidos(FRegistrados - MaximoRegistros)))
            Falhou(NomeErros());
        else if (!GravaLinha(FLinhas, QString()))
            Falhou(NomeLinhasErro());
    }
    Fecha();
    if (!escrevia)
        return true;
    if (FFalhouEscrita) {
        // The file whose write failed first: the other may be whole.
        TErro(CodigoMensagem::FalhaNaGravacao, QDir::toNativeSeparators(FPasta + QLatin1Char('/') + FArquivoFalho), 0)
            .Exibe();
        return false;
    }
    const struct {
        QString origem;
        QString destino;
    } pares[] = {
        {FPasta + QLatin1Char('/') + NomeErros(), NomeArquivoDsc()},
        {FPasta + QLatin1Char('/') + NomeLinhasErro(), NomeArquivoTxt()},
    };
    bool concluiu = true;
    for (const auto& par : pares) {
        if (!Substitui(par.origem, par.destino)) {
            TErro(CodigoMensagem::ArquivoNaoExcluidoOuRenomeado, QDir::toNativeSeparators(par.destino), 0).Exibe();
            concluiu = false;
        }
    }
    return concluiu;
}

QString TLogErros::NomeArquivoDsc() const
{
    return FPasta + QLatin1Char('/') + FNomeBase + QStringLiteral(".dsc");
}

QString TLogErros::NomeArquivoTxt() const
{
    return FPasta + QLatin1Char('/') + FNomeBase + QStringLiteral(".txt");
}

bool TLogErros::AbreLeitura(const QString& NomeBase)
{
    Fecha();
    SetNomeBase(NomeBase);
    return Reinicia();
}

bool TLogErros::Reinicia()
{
    FMensagem.clear();
    FLinha.clear();
    if (!AbreArquivoTexto(FErros, NomeArquivoDsc()))
        return false;
    if (!AbreArquivoTexto(FLinhas, NomeArquivoTxt())) {
        FErros.Fecha();
        return false;
    }
    return true;
}

bool TLogErros::LeProximo()
{
    if (FErros.Fim() || FLinhas.Fim())
        return false;
    return LeLinha(FErros, FMensagem) && LeLinha(FLinhas, FLinha);
}

bool TLogErros::ApagaArquivos()
{
    Fecha();
    bool apagou = true;
    for (const QString& nome : {NomeArquivoDsc(), NomeArquivoTxt()})
        if (QFile::exists(nome) && !QFile::remove(nome))
            apagou = false;
    return apagou;
}
