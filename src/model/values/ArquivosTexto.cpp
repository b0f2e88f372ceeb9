#include "model/values/ArquivosTexto.h"

#include <QFile>
#include <functional>

#include "model/values/TErro.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

constexpr qint64 TamanhoCabecalho = 142;

void MantemVivo()
{
    InterfaceUsuario::Atividade().MantemVivo();
}

bool AbreComNovaTentativa(const QString& Caminho, const TPergunta& Pergunta, const std::function<bool()>& abre)
{
    for (;;) {
        const bool abriu = abre();
        MantemVivo();
        if (abriu)
            return true;
        const QString pergunta = QStringLiteral("Não foi possível abrir o arquivo ") + Caminho
            + QStringLiteral(". Tentar Novamente?");
        if (PerguntaPor(Pergunta, pergunta, TipoDialogo::Erro, Botao::Sim | Botao::Nao) != Resposta::Sim)
            return false;
    }
}

}   // namespace

bool CriaArquivoTexto(TArquivoTexto& Arquivo, const QString& Caminho, const TPergunta& Pergunta)
{
    return AbreComNovaTentativa(Caminho, Pergunta, [&] { return Arquivo.Cria(Caminho); });
}

bool AbreArquivoTexto(TArquivoTexto& Arquivo, const QString& Caminho, const TPergunta& Pergunta)
{
    return AbreComNovaTentativa(Caminho, Pergunta, [&] { return Arquivo.Abre(Caminho); });
}

bool AbreArquivo(QFile& Arquivo, const QString& Caminho, QIODevice::OpenMode Modo, const TPergunta& Pergunta)
{
    return AbreComNovaTentativa(Caminho, Pergunta, [&] {
        Arquivo.close();
        Arquivo.setFileName(Caminho);
        return Arquivo.open(Modo);
    });
}

QString LeCabecalhoArquivo(const QString& Caminho)
{
    QByteArray bytes;
    const bool leu = TArquivoTexto::LeInicio(Caminho, TamanhoCabecalho, bytes);
    MantemVivo();
    if (!leu)
        return {};
    const qsizetype nulo = bytes.indexOf('\0');
    return QString::fromLatin1(nulo < 0 ? bytes : bytes.left(nulo));
}

bool GravaLinha(TArquivoTexto& Arquivo, const QString& Linha)
{
    const bool gravou = Arquivo.GravaLinha(Linha);
    MantemVivo();
    return gravou;
}

bool LeLinha(TArquivoTexto& Arquivo, QString& Linha)
{
    // Reading past the last line is no error: it gives an empty line, and FimDeArquivo tells.
    const bool noFim = Arquivo.AbertoParaLeitura() && Arquivo.Fim();
    const bool leu = noFim || Arquivo.LeLinha(Linha);
    if (noFim || !leu)
        Linha.clear();
    MantemVivo();
    return leu;
}

bool FimDeArquivo(const TArquivoTexto& Arquivo, bool& Erro)
{
    if (!Arquivo.AbertoParaLeitura()) {
        Erro = true;
        TErro::MostraMensagem(QStringLiteral("Erro de acesso ao arquivo."), TipoDialogo::Erro, Botao::Ok, 0);
        return true;
    }
    return Arquivo.Fim();
}
