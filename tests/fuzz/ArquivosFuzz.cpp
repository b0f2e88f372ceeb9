#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <zlib.h>

#include "EntradasFuzz.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/compress/TCompactador.h"
#include "platform/compress/TPacoteEntrega.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TPastas.h"
#include "platform/transmit/ICarregadorTransmissao.h"
#include "reports/receipt/TArquivoRecibo.h"
#include "reports/receipt/TDadosRecibo.h"
#include "shell/backup/TCopiaBanco.h"

namespace {

void Falha(const char* Invariante)
{
    std::fprintf(stderr, "reader invariant broken: %s\n", Invariante);
    std::abort();
}

QString GravaEntrada(const QString& Nome, const std::uint8_t* Dados, std::size_t Tamanho)
{
    const QString arquivo = TPastas::Programa() + QLatin1Char('/') + Nome;
    QFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly)
        || saida.write(reinterpret_cast<const char*>(Dados), static_cast<qint64>(Tamanho))
            != static_cast<qint64>(Tamanho))
        Falha("the input cannot be written");
    return arquivo;
}

QStringList Conteudo(const QString& Pasta)
{
    return QDir(Pasta).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The input written to a file, and an empty target folder inside a parent of its own: whatever
// an unpacker writes outside the target shows in the parent or in the program folder.
struct TAlvo {
    QString Entrada;
    QString Pai;
    QString Pasta;
    QStringList Programa;   // the program folder's names before the unpacking
    TAlvo(const QString& Nome, const std::uint8_t* Dados, std::size_t Tamanho)
        : Entrada(GravaEntrada(Nome, Dados, Tamanho))
        , Pai(TPastas::Programa() + QStringLiteral("/pai"))
        , Pasta(Pai + QStringLiteral("/alvo"))
    {
        QDir(Pai).removeRecursively();
        if (!QDir().mkpath(Pasta))
            Falha("the target folder cannot be made");
        Programa = Conteudo(TPastas::Programa());
    }
    void ConfereResultado(int Resultado) const
    {
        if (Resultado != ResultadoCompressao::Ok && !Conteudo(Pasta).isEmpty())
            Falha("a failed unpack left a file");
    }
    void ConfereNadaFora() const
    {
        if (Conteudo(Pai) != QStringList{QStringLiteral("alvo")})
            Falha("an unpacker wrote beside its target folder");
        if (Conteudo(TPastas::Programa()) != Programa)
            Falha("an unpacker wrote into the program folder");
    }
};

QByteArray Le(const QString& Caminho)
{
    QFile arquivo(Caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

// A signature library that vouches for every receipt, so that the checks after it run.
class TAssinaturaCrente final : public IBibliotecaAssinatura {
public:
    bool VA5(const QString&, const QString&, const QString&, int, int, int, int, int, int) override { return true; }
};

// True when Depois is Antes with one line changed in place, or with one or two lines inserted
// together (a new key, or a new section with its key).
bool SoUmaMudanca(const QList<QByteArray>& Antes, const QList<QByteArray>& Depois)
{
    const qsizetype extra = Depois.size() - Antes.size();
    if (extra < 0 || extra > 2)
        return false;
    qsizetype i = 0;
    while (i < Antes.size() && Antes[i] == Depois[i])
        ++i;
    if (extra == 0) {
        qsizetype diferentes = 0;
        for (qsizetype k = i; k < Antes.size(); ++k)
            diferentes += Antes[k] != Depois[k] ? 1 : 0;
        return diferentes <= 1;
    }
    for (qsizetype k = i; k < Antes.size(); ++k)
        if (Antes[k] != Depois[k + extra])
            return false;
    return true;
}

}   // namespace

int DescompactaEntregaFuzz(const std::uint8_t* Dados, std::size_t Tamanho)
{
    const TAlvo alvo(QStringLiteral("entrada.dec"), Dados, Tamanho);
    const QString& arquivo = alvo.Entrada;
    TCompactador compactador;
    const int r = compactador.DescomprimirPruv(arquivo, alvo.Pasta, {});
    const QString declaracao = alvo.Pasta + QLatin1Char('/') + TCompactador::NomeDeclaracaoExtraida;
    alvo.ConfereResultado(r);
    if (r == ResultadoCompressao::Ok) {
        // The text unpacked gives the CRC its header claims.
        QByteArray cabecalho;
        qint64 inicio = 0;
        quint32 crc = 0;
        if (TPacoteEntrega::Le(arquivo, cabecalho, inicio) != ResultadoCompressao::Ok
            || !TPacoteEntrega::CrcDoCabecalho(cabecalho, crc))
            Falha("an unpacked file has no header");
        const QByteArray texto = Le(declaracao);
        const qsizetype fim = texto.indexOf('\n');
        const QByteArray resto = fim < 0 ? QByteArray() : texto.mid(fim + 1);
        if (fim < 0
            || crc32_z(0, reinterpret_cast<const Bytef*>(resto.constData()), static_cast<z_size_t>(resto.size()))
                != crc)
            Falha("the unpacked declaration does not give the header's CRC");
    }
    const int recibo = compactador.DescomprimirReciboPruv(arquivo, alvo.Pasta);
    const QString ini = alvo.Pasta + QLatin1Char('/') + TCompactador::NomeRecibo;
    if (recibo != 1 && QFile::exists(ini))
        Falha("a failed unpack of the receipt data left a file");
    if (recibo == 1) {
        const auto dados = TDadosRecibo::Le(ini);
        if (dados && dados->NumeroReciboValido && dados->NumeroRecibo.isEmpty())
            Falha("a valid receipt number that does not show");
    }
    alvo.ConfereNadaFora();
    return 0;
}

int RestauraCopiaFuzz(const std::uint8_t* Dados, std::size_t Tamanho)
{
    const TAlvo alvo(QStringLiteral("copia.cmp"), Dados, Tamanho);
    TCompactador compactador;
    alvo.ConfereResultado(compactador.Descomprimir(alvo.Entrada, alvo.Pasta, {}));
    const QStringList membros = Conteudo(alvo.Pasta);
    for (const QString& membro : membros) {
        const QFileInfo info(alvo.Pasta + QLatin1Char('/') + membro);
        if (!info.isFile() || static_cast<unsigned long long>(info.size()) > TCompactador::TamanhoMaximoMembro)
            Falha("an unpacked member is not a plain file within the bounds");
        // The restore's own checks, as on the database of a backup.
        if (membro.compare(QStringLiteral("pruv2003.db"), Qt::CaseInsensitive) == 0) {
            const bool aceita = TCopiaBanco::Confere(info.filePath()).Boa();
            if (aceita && TCopiaBanco::ContaLinhas(info.filePath(), QStringLiteral("PRUV.DB")) < 0)
                Falha("an accepted database cannot count its declarations");
        }
    }
    alvo.ConfereNadaFora();
    return 0;
}

int LeReciboFuzz(const std::uint8_t* Dados, std::size_t Tamanho)
{
    // The receipt file of a transmission, then the same bytes as receipt data.
    const QString arquivo = GravaEntrada(QStringLiteral("entrada.rec"), Dados, Tamanho);
    TArquivoRecibo recibo(arquivo);
    TAssinaturaCrente assinatura;
    const TSituacaoRecibo situacao = recibo.Verifica(QStringLiteral("0123456789"),
                                                     [&assinatura]() -> IBibliotecaAssinatura* { return &assinatura; });
    if (situacao == TSituacaoRecibo::Certificado) {
        if (!recibo.Recepcao().Data().isValid() || recibo.Recepcao().Texto().isEmpty())
            Falha("a certified receipt without a real date");
    }
    TArquivoRecibo semBiblioteca(arquivo);
    if (semBiblioteca.Verifica(QString(), {}) == TSituacaoRecibo::Certificado)
        Falha("a receipt certified without a library");
    if (const auto dados = TDadosRecibo::Le(arquivo)) {
        if (dados->NumeroReciboValido && dados->NumeroRecibo.isEmpty())
            Falha("a valid receipt number that does not show");
    }
    return 0;
}

int EscreveIniFuzz(const std::uint8_t* Dados, std::size_t Tamanho)
{
    // The first three bytes choose the change: the section, the key, the spelling.
    std::uint8_t escolha[3] = {0, 0, 0};
    for (int i = 0; i < 3 && Tamanho > 0; ++i, ++Dados, --Tamanho)
        escolha[i] = *Dados;
    const QString arquivo = GravaEntrada(QStringLiteral("entrada.ini"), Dados, Tamanho);
    const QByteArray antes = Le(arquivo);
    TIniFile ini(arquivo);
    const QStringList secoes = ini.ReadSections();
    const QString secao = escolha[0] < secoes.size() ? secoes[escolha[0]] : QStringLiteral(" Nova ");
    QString chave = QStringLiteral(" Chave ");
    const QStringList chaves = ini.ReadSection(secao);
    if (escolha[1] < chaves.size()) {
        chave = chaves[escolha[1]];
        if ((escolha[2] & 1) != 0)
            chave = QLatin1Char(' ') + chave.toLower() + QLatin1Char(' ');
    }
    const QString valor = (escolha[2] & 2) != 0 ? QString() : QStringLiteral(" valor=%1 ").arg(escolha[2]);
    const QString anterior = ini.ReadString(secao, chave, QStringLiteral("\x01"));
    try {
        ini.WriteString(secao, chave, valor);
    } catch (const EIniFile&) {
        if (Le(arquivo) != antes)
            Falha("a refused INI write changed the file");
        return 0;
    }
    if (ini.ReadString(secao, chave, QStringLiteral("\x01")) != valor)
        Falha("an INI write does not read back");
    const QList<QByteArray> linhasAntes = TIniFile::Linhas(antes);
    const QList<QByteArray> linhasDepois = TIniFile::Linhas(Le(arquivo));
    if (anterior == valor ? linhasDepois != linhasAntes : !SoUmaMudanca(linhasAntes, linhasDepois))
        Falha("an INI write changed other lines");
    if (ini.ReadSections().size() - secoes.size() > 1)
        Falha("an INI write added more than one section");
    return 0;
}
