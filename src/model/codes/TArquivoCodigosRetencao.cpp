#include "model/codes/TArquivoCodigosRetencao.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QStringList>
#include <cstring>

#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"
#include "platform/files/TPastas.h"

namespace {

constexpr int Campos = 10;
constexpr int TamanhoResumo = 100;   // the width of the table's column RESUMO

[[noreturn]] void Falha(const QString& caminho, const QString& motivo)
{
    throw EDadosError(CodigoMensagem::ArquivoNaoAberto, caminho + QLatin1Char(';') + motivo, TipoDialogo::Erro,
                      Botao::Ok, 0);
}

bool QuatroDigitos(const QString& texto)
{
    return texto.size() == 4 && SoNumeros(texto);
}

// "1999" or "1997-2003"; false when the text is neither or the range runs backwards.
bool LeAnos(const QString& texto, int& primeiro, int& ultimo)
{
    const QStringList partes = texto.split(QLatin1Char('-'));
    if (partes.size() > 2 || !QuatroDigitos(partes.first()) || !QuatroDigitos(partes.last()))
        return false;
    primeiro = partes.first().toInt();
    ultimo = partes.last().toInt();
    return primeiro <= ultimo;
}

bool LeFlag(const QString& texto, bool& valor)
{
    if (texto != QLatin1String("S") && texto != QLatin1String("N"))
        return false;
    valor = texto == QLatin1String("S");
    return true;
}

bool UmDe(const QString& texto, const char* valores)
{
    return texto.size() == 1 && std::strchr(valores, texto.at(0).toLatin1()) != nullptr;
}

// The fault of one line's fields, empty when they are good; fills `modelo` with everything but the year.
QString LeCampos(const QStringList& campos, int& primeiro, int& ultimo, TCodigoRetencao& modelo)
{
    if (campos.size() != Campos)
        return QStringLiteral("%1 campos em vez de %2").arg(campos.size()).arg(Campos);
    if (!LeAnos(campos[0], primeiro, ultimo))
        return QStringLiteral("anos inválidos");
    if (!QuatroDigitos(campos[1]))
        return QStringLiteral("código inválido");
    if (!UmDe(campos[2], "01"))
        return QStringLiteral("ANEXO inválido");
    if (!UmDe(campos[3], "FJA"))
        return QStringLiteral("PF_PJ_AMBOS inválido");
    if (!UmDe(campos[4], "CEPF"))
        return QStringLiteral("REGIME inválido");
    if (!UmDe(campos[5], "FJAN"))
        return QStringLiteral("COMPROVANTE inválido");
    bool deducao = false;
    bool in4 = false;
    bool subJudice = false;
    if (!LeFlag(campos[6], deducao) || !LeFlag(campos[7], in4) || !LeFlag(campos[8], subJudice))
        return QStringLiteral("indicador diferente de S e de N");
    const QString resumo = campos[9].trimmed();
    if (resumo.isEmpty() || resumo.size() > TamanhoResumo)
        return QStringLiteral("RESUMO vazio ou com mais de %1 caracteres").arg(TamanhoResumo);

    modelo.SetCodigo(campos[1]);
    modelo.SetAnexo(campos[2]);
    modelo.SetPfPjAmbos(campos[3]);
    modelo.SetRegime(campos[4]);
    modelo.SetComprovante(campos[5]);
    modelo.SetDeducao(deducao);
    modelo.SetIn4(in4);
    modelo.SetSubJudice(subJudice);
    modelo.SetResumo(resumo);
    return QString();
}

}   // namespace

QString TArquivoCodigosRetencao::NomeArquivo()
{
    return QStringLiteral("CodRet.txt");
}

QString TArquivoCodigosRetencao::Localiza()
{
    return TPastas::Recurso(NomeArquivo());
}

std::vector<TCodigoRetencao> TArquivoCodigosRetencao::Le(const QString& Caminho)
{
    QFile arquivo(Caminho);
    if (Caminho.isEmpty() || !arquivo.open(QIODevice::ReadOnly))
        Falha(Caminho.isEmpty() ? NomeArquivo() : Caminho, QStringLiteral("arquivo não encontrado"));
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        Falha(Caminho, arquivo.errorString());

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = utf8.decode(bytes);
    if (utf8.hasError())
        Falha(Caminho, QStringLiteral("texto fora do UTF-8"));

    std::vector<TCodigoRetencao> codigos;
    QSet<QString> chaves;
    const QStringList linhas = texto.split(QLatin1Char('\n'));
    for (int i = 0; i < linhas.size(); ++i) {
        QString linha = linhas[i];
        if (linha.endsWith(QLatin1Char('\r')))
            linha.chop(1);
        if (linha.trimmed().isEmpty() || linha.startsWith(QLatin1Char('#')))
            continue;

        const QString numeroLinha = QStringLiteral("linha %1").arg(i + 1);
        int primeiro = 0;
        int ultimo = 0;
        TCodigoRetencao modelo;
        const QString falha = LeCampos(linha.split(QLatin1Char('|')), primeiro, ultimo, modelo);
        if (!falha.isEmpty())
            Falha(Caminho, numeroLinha + QStringLiteral(", ") + falha);
        for (int ano = primeiro; ano <= ultimo; ++ano) {
            TCodigoRetencao codigo = modelo;
            codigo.SetAno(QString::number(ano));
            const QString chave = codigo.GetAno() + codigo.GetAnexo() + codigo.GetCodigo();
            if (chaves.contains(chave))
                Falha(Caminho, numeroLinha + QStringLiteral(", código repetido no ano ") + codigo.GetAno());
            chaves.insert(chave);
            codigos.push_back(std::move(codigo));
        }
    }
    return codigos;
}
