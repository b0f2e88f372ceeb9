#include "platform/compress/TCompactador.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <utility>
#include <zlib.h>

#include "platform/compress/TArquivosNovos.h"
#include "platform/compress/TGravadorZip.h"
#include "platform/compress/TLeitorZip.h"
#include "platform/compress/TPacoteEntrega.h"
#include "platform/files/CriaPastas.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/AbreArquivoComum.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TPastaDeTrabalho.h"
#include "platform/files/TPastas.h"

const QString TCompactador::NomeDeclaracao = QStringLiteral("Declar.txt");
const QString TCompactador::NomeRecibo = QStringLiteral("Recibo.ini");
const QString TCompactador::NomeDeclaracaoExtraida = QStringLiteral("declar.txt");
const QString TCompactador::PrefixoPacote = QStringLiteral("pacote");

namespace {

constexpr qint64 TamanhoMaximoRecibo = 1024 * 1024;

// The standard CRC-32 of a text after its first line, from the CRC of the whole text (which
// the archive records, and checks on reading): only the first line's bytes, through its LF,
// are summed, and CRC arithmetic takes them off the whole, so that the rest is not summed twice.
class TCrcAposPrimeiraLinha {
public:
    // Fed the text's first pieces in order; the pieces after the first line end are not needed.
    void Soma(QByteArrayView pedaco)
    {
        if (FCompleta)
            return;
        const qsizetype fim = pedaco.indexOf('\n');
        const QByteArrayView linha = fim < 0 ? pedaco : pedaco.first(fim + 1);
        FCrc = crc32_z(FCrc, reinterpret_cast<const Bytef*>(linha.data()), static_cast<z_size_t>(linha.size()));
        FTamanho += static_cast<unsigned long long>(linha.size());
        FCompleta = fim >= 0;
    }
    [[nodiscard]] bool Completa() const { return FCompleta; }
    // 0 when the text has no line end.
    [[nodiscard]] quint32 Valor(quint32 crcTudo, unsigned long long tamanhoTudo) const
    {
        if (!FCompleta || tamanhoTudo < FTamanho)
            return 0;
        const auto resto = static_cast<z_off64_t>(tamanhoTudo - FTamanho);
        return static_cast<quint32>(crcTudo ^ crc32_combine64(FCrc, 0, resto));
    }

private:
    bool FCompleta = false;
    uLong FCrc = 0;
    unsigned long long FTamanho = 0;
};

QString CaminhoNaPasta(const QString& pasta, const QString& nome)
{
    return QDir(pasta).absoluteFilePath(nome);
}

// False when the folder's volume reports less free space than the bytes claimed and the margin.
bool CabeNaPasta(const QString& pasta, unsigned long long bytes)
{
    const qint64 livres = TEspacoEmDisco::Livre(pasta);
    return livres < 0 || static_cast<unsigned long long>(livres) >= bytes + TCompactador::MargemLivre;
}

// Bytes that claim no more than the maximum, nor a ratio to their packed bytes only a bomb
// reaches; CopiaMembro then holds each member to what it claims.
bool DentroDosLimites(unsigned long long tamanho, unsigned long long comprimido, unsigned long long maximo)
{
    if (tamanho > maximo)
        return false;
    return tamanho <= TCompactador::TamanhoSemLimiteDeRazao
        || tamanho / TCompactador::RazaoMaximaCompressao <= comprimido;
}

int ProcuraPorNome(const QStringList& caminhos, const QString& nome)
{
    for (int i = 0; i < caminhos.size(); ++i)
        if (QFileInfo(caminhos[i]).fileName().compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// Reads the declaration's first line, without its line end, and feeds it to soma.
bool LePrimeiraLinha(const QString& caminho, QByteArray& primeiraLinha, TCrcAposPrimeiraLinha& soma)
{
    QFile arquivo(caminho);
    if (QString erro; !AbreLeituraComum(arquivo, erro))
        return false;
    const QByteArray inicio = arquivo.read(TPacoteEntrega::TamanhoMaximoCabecalho + 2);
    const qsizetype fim = inicio.indexOf('\n');
    if (fim < 0)
        return false;
    soma.Soma(inicio);
    primeiraLinha = inicio.left(fim);
    if (primeiraLinha.endsWith('\r'))
        primeiraLinha.chop(1);
    return true;
}

// Appends the whole file to the one novos started last.
bool Copia(const QString& caminho, TArquivosNovos& novos)
{
    QFile arquivo(caminho);
    if (QString erro; !AbreLeituraComum(arquivo, erro))
        return false;
    QByteArray pedaco(64 * 1024, Qt::Uninitialized);
    for (;;) {
        QString erro;
        if (!TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, caminho, erro))
            return false;
        const qint64 lidos = arquivo.read(pedaco.data(), pedaco.size());
        if (lidos < 0)
            return false;
        if (lidos == 0)
            return true;
        if (!novos.Escreve(QByteArrayView(pedaco).first(lidos)))
            return false;
    }
}

// Opens the archive inside a delivery file.
int AbreEntrega(const QString& arquivo, TLeitorZip& leitor, QByteArray& cabecalho)
{
    qint64 inicio = 0;
    const int r = TPacoteEntrega::Le(arquivo, cabecalho, inicio);
    if (r != ResultadoCompressao::Ok)
        return r;
    return leitor.Abre(arquivo, inicio);
}

// Streams member i to recebe, never more than the member claims to hold, and reports progress
// as feitos (bytes done before it, advanced here) out of total.
int CopiaMembro(const TLeitorZip& leitor, int i, TAndamento& andamento, unsigned long long& feitos,
                unsigned long long total, const std::function<bool(QByteArrayView)>& recebe)
{
    const unsigned long long tamanho = leitor.Tamanho(i);
    unsigned long long lidos = 0;
    const bool ok = leitor.Le(i, [&](QByteArrayView pedaco) {
        lidos += static_cast<unsigned long long>(pedaco.size());
        if (lidos > tamanho || !recebe(pedaco))
            return false;
        andamento.InformaParte(feitos + lidos, total);
        return !andamento.Cancelado();
    });
    feitos += lidos;
    if (andamento.Cancelado())
        return ResultadoCompressao::Cancelado;
    return ok ? ResultadoCompressao::Ok : ResultadoCompressao::Falha;
}

// The CRC of the packed declaration of a delivery file, streamed to novos when given.
int LeDeclaracaoEmpacotada(const TLeitorZip& leitor, quint32& crc, TAndamento& andamento, TArquivosNovos* novos)
{
    const int i = leitor.Procura(TCompactador::NomeDeclaracao);
    if (i < 0)
        return ResultadoCompressao::Falha;
    TCrcAposPrimeiraLinha soma;
    unsigned long long feitos = 0;
    const int r = CopiaMembro(leitor, i, andamento, feitos, leitor.Tamanho(i), [&](QByteArrayView pedaco) {
        soma.Soma(pedaco);
        return !novos || novos->Escreve(pedaco);
    });
    crc = soma.Valor(leitor.Crc(i), feitos);
    return r;
}

// Records one volume in the receipt data on disk ([Declaracao] VOLUMES=1) and gives back its
// bytes as they now stand, for the package. False when the file is too large, or cannot be
// read or written; an ordered INI file keeps every other line as it was.
bool MarcaVolumes(const QString& caminho, QByteArray& texto)
{
    if (QFileInfo(caminho).size() > TamanhoMaximoRecibo)
        return false;
    try {
        TIniFile(caminho).WriteString(QStringLiteral("Declaracao"), QStringLiteral("VOLUMES"), QStringLiteral("1"));
    } catch (const EIniFile&) {
        return false;   // reported to the caller as a failed packing
    }
    QFile recibo(caminho);
    if (QString erro; !AbreLeituraComum(recibo, erro))
        return false;
    texto = recibo.read(TamanhoMaximoRecibo + 1);
    return recibo.error() == QFileDevice::NoError && texto.size() <= TamanhoMaximoRecibo;
}

}   // namespace

quint32 TCompactador::CalculaCRC32(const char* texto, quint32 tamanho, quint32 crc)
{
    // zlib's crc32 takes and gives the complemented register; this one chains the raw register.
    if (!texto)
        tamanho = 0;
    return ~static_cast<quint32>(crc32(~crc & 0xFFFFFFFFu, reinterpret_cast<const Bytef*>(texto), tamanho));
}

int TCompactador::AdicionaArquivo(const QString& caminho)
{
    const QFileInfo info(caminho);
    if (caminho.isEmpty() || !info.isFile() || !info.isReadable() || !TLeitorZip::NomeSeguro(info.fileName())
        || ProcuraPorNome(FArquivos, info.fileName()) >= 0)
        return 0;
    FArquivos.append(info.absoluteFilePath());
    return 1;
}

int TCompactador::Comprimir(const QString& arquivo, const TProgressoCompressao& progresso)
{
    const QStringList arquivos = std::exchange(FArquivos, {});
    FCancelar = false;
    FErroSistema = 0;
    FArquivoDoErro.clear();
    TAndamento andamento(progresso, FCancelar);
    andamento.Informa(0);
    std::vector<TMembroZip> membros;
    for (const auto& caminho : arquivos)
        membros.push_back({QFileInfo(caminho).fileName(), caminho, {}, false});
    const int r = TGravadorZip::GravaArquivo(arquivo, membros, andamento, &FErroSistema);
    if (FErroSistema != 0)
        FArquivoDoErro = arquivo;
    if (r == ResultadoCompressao::Ok)
        andamento.Conclui();
    return r;
}

int TCompactador::ComprimirPruv(QString& arquivo, const TProgressoCompressao& progresso, const QString& segundoCaminho)
{
    const QStringList arquivos = std::exchange(FArquivos, {});
    FCancelar = false;
    FCrcDeclaracao = 0;
    FErroSistema = 0;
    FArquivoDoErro.clear();
    TAndamento andamento(progresso, FCancelar);
    andamento.Informa(0);

    const int iDeclaracao = ProcuraPorNome(arquivos, NomeDeclaracao);
    QByteArray primeiraLinha;
    TCrcAposPrimeiraLinha soma;
    if (iDeclaracao < 0 || !LePrimeiraLinha(arquivos[iDeclaracao], primeiraLinha, soma))
        return ResultadoCompressao::Falha;

    std::vector<TMembroZip> membros;
    for (const auto& caminho : arquivos)
        membros.push_back({QFileInfo(caminho).fileName(), caminho, {}, false});

    // The receipt data records how many volumes the delivery took: always one here.
    const int iRecibo = ProcuraPorNome(arquivos, NomeRecibo);
    if (iRecibo >= 0) {
        QByteArray texto;
        if (!MarcaVolumes(arquivos[iRecibo], texto))
            return ResultadoCompressao::Falha;
        membros[static_cast<size_t>(iRecibo)].Dados = texto;
        membros[static_cast<size_t>(iRecibo)].UsaDados = true;
    }

    // The archive goes to a temporary file in the program's own temporary folder, so that memory
    // does not grow with the declaration, a removable target holds no more than the file it
    // receives, and nothing lands outside the program folder; it is removed when this run ends,
    // whatever its result.
    // The work folder is owned while this run lives: one left by a run that ended midway is
    // removed by the next start.
    CriaPastas(TPastas::Temporaria());
    const TPastaDeTrabalho trabalho(TPastas::Temporaria(), PrefixoPacote);
    if (!trabalho.Valida())
        return ResultadoCompressao::Falha;
    const QString pacote = trabalho.Arquivo(QStringLiteral("pacote.zip"));
    int r = TGravadorZip::GravaArquivo(pacote, membros, andamento, &FErroSistema);
    if (r != ResultadoCompressao::Ok) {
        if (FErroSistema != 0)
            FArquivoDoErro = pacote;
        return r;
    }
    // The declaration's CRC is that of the very bytes packed, which the packing summed.
    TLeitorZip empacotado;
    if (empacotado.Abre(pacote) != ResultadoCompressao::Ok)
        return ResultadoCompressao::Falha;
    const int iEmpacotada = empacotado.Procura(NomeDeclaracao);
    const quint32 crc = soma.Valor(empacotado.Crc(iEmpacotada), empacotado.Tamanho(iEmpacotada));
    const QByteArray cabecalho = TPacoteEntrega::MontaCabecalho(primeiraLinha, crc);
    if (iEmpacotada < 0 || cabecalho.isEmpty())
        return ResultadoCompressao::Falha;

    TArquivosNovos novos;
    // Why writing the delivery file failed, when a system call said.
    const auto falhou = [&] {
        FErroSistema = novos.ErroSistema();
        FArquivoDoErro = novos.ArquivoDoErro();
        return ResultadoCompressao::Falha;
    };
    QStringList destinos{arquivo};
    if (!segundoCaminho.isEmpty())
        destinos.append(segundoCaminho);
    QString primeiro;
    for (const auto& destino : destinos) {
        if (!novos.Novo(destino) || !novos.Escreve(cabecalho) || !novos.Escreve(TPacoteEntrega::Separador())
            || !Copia(pacote, novos))
            return falhou();
        if (primeiro.isEmpty())
            primeiro = novos.Temporario();
    }

    // Read back what was written: the packed declaration must give the CRC of the one on disk.
    TLeitorZip leitor;
    QByteArray cabecalhoLido;
    if (primeiro.isEmpty())
        return falhou();
    if (AbreEntrega(primeiro, leitor, cabecalhoLido) != ResultadoCompressao::Ok || cabecalhoLido != cabecalho)
        return ResultadoCompressao::Falha;
    quint32 crcLido = 0;
    r = LeDeclaracaoEmpacotada(leitor, crcLido, andamento, nullptr);
    if (r != ResultadoCompressao::Ok)
        return r;
    if (crcLido != crc)
        return ResultadoCompressao::Falha;
    if (FCancelar)
        return ResultadoCompressao::Cancelado;
    if (!novos.Confirma())
        return falhou();
    FCrcDeclaracao = crcLido;
    arquivo = QFileInfo(arquivo).absoluteFilePath();
    andamento.Conclui();
    return ResultadoCompressao::Ok;
}

int TCompactador::Descomprimir(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso)
{
    FCancelar = false;
    TAndamento andamento(progresso, FCancelar);
    andamento.Informa(0);
    TLeitorZip leitor;
    const int r = leitor.Abre(arquivo);
    if (r != ResultadoCompressao::Ok)
        return r;
    const int n = leitor.Quantidade();
    if (n == 0 || !leitor.NomesSeguros() || !QFileInfo(pasta).isDir())
        return ResultadoCompressao::Falha;

    unsigned long long total = 0;
    unsigned long long comprimido = 0;
    for (int i = 0; i < n; ++i) {
        if (!DentroDosLimites(leitor.Tamanho(i), leitor.TamanhoComprimido(i), TamanhoMaximoMembro))
            return ResultadoCompressao::Falha;
        total += leitor.Tamanho(i);
        comprimido += leitor.TamanhoComprimido(i);
    }
    // Members each within bounds may still add up to a bomb.
    if (!DentroDosLimites(total, comprimido, TamanhoMaximoTotal) || !CabeNaPasta(pasta, total))
        return ResultadoCompressao::Falha;

    TArquivosNovos novos;
    unsigned long long feitos = 0;
    for (int i = 0; i < n; ++i) {
        if (!novos.Novo(CaminhoNaPasta(pasta, leitor.Nome(i))))
            return ResultadoCompressao::Falha;
        const int copia = CopiaMembro(leitor, i, andamento, feitos, total,
                                      [&](QByteArrayView pedaco) { return novos.Escreve(pedaco); });
        if (copia != ResultadoCompressao::Ok)
            return copia;
    }
    if (!novos.Confirma())
        return ResultadoCompressao::Falha;
    andamento.Conclui();
    return ResultadoCompressao::Ok;
}

int TCompactador::DescomprimirPruv(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso)
{
    FCancelar = false;
    TAndamento andamento(progresso, FCancelar);
    andamento.Informa(0);
    TLeitorZip leitor;
    QByteArray cabecalho;
    int r = AbreEntrega(arquivo, leitor, cabecalho);
    if (r != ResultadoCompressao::Ok)
        return r;
    quint32 crcCabecalho = 0;
    const int i = leitor.Procura(NomeDeclaracao);
    if (!TPacoteEntrega::CrcDoCabecalho(cabecalho, crcCabecalho) || i < 0 || !QFileInfo(pasta).isDir()
        || !DentroDosLimites(leitor.Tamanho(i), leitor.TamanhoComprimido(i), TamanhoMaximoDeclaracao)
        || !CabeNaPasta(pasta, leitor.Tamanho(i)))
        return ResultadoCompressao::Falha;
    TArquivosNovos novos;
    if (!novos.Novo(CaminhoNaPasta(pasta, NomeDeclaracaoExtraida)))
        return ResultadoCompressao::Falha;
    quint32 crc = 0;
    r = LeDeclaracaoEmpacotada(leitor, crc, andamento, &novos);
    if (r != ResultadoCompressao::Ok)
        return r;
    // A declaration that does not give the header's CRC is not the one that was delivered.
    if (crc != crcCabecalho || !novos.Confirma())
        return ResultadoCompressao::Falha;
    andamento.Conclui();
    return ResultadoCompressao::Ok;
}

int TCompactador::DescomprimirReciboPruv(const QString& arquivo, const QString& pasta)
{
    TLeitorZip leitor;
    QByteArray cabecalho;
    if (AbreEntrega(arquivo, leitor, cabecalho) != ResultadoCompressao::Ok)
        return 0;
    const int i = leitor.Procura(NomeRecibo);
    QByteArray texto;
    if (i < 0 || !QFileInfo(pasta).isDir() || !leitor.LeTudo(i, texto, TamanhoMaximoRecibo))
        return 0;
    TArquivosNovos novo;
    return novo.Novo(CaminhoNaPasta(pasta, NomeRecibo)) && novo.Escreve(texto) && novo.Confirma() ? 1 : 0;
}
