#include "ArquivosDeTeste.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <stdexcept>
#include <vector>
#include <zip.h>
#include <zlib.h>

#include "ProgramaDeTeste.h"
#include "platform/compress/TPacoteEntrega.h"

namespace ArquivosDeTeste {

QString Pasta(const QString& nome)
{
    const QString caminho = ProgramaDeTeste::Pasta() + QLatin1Char('/') + nome;
    QDir().mkpath(caminho);
    return caminho;
}

QString Grava(const QString& caminho, const QByteArray& dados)
{
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(dados) != dados.size())
        throw std::runtime_error("cannot write a test file");
    return caminho;
}

QByteArray Le(const QString& caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList Conteudo(const QString& pasta)
{
    return QDir(pasta).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray Aleatorio(qsizetype tamanho, quint32 semente)
{
    QRandomGenerator gerador(semente);
    QByteArray dados(tamanho, Qt::Uninitialized);
    for (auto& c : dados)
        c = static_cast<char>(gerador.bounded(256));
    return dados;
}

QByteArray Declaracao(int linhas)
{
    QByteArray cabecalho = "PRUV    200320021080011144477735   1100FULANO DE TAL";
    cabecalho = cabecalho.leftJustified(99, ' ') + "RS" + QByteArray(10, ' ') + "00" + "11144477735" + " 1"
        + QByteArray(10, ' ') + "11";
    cabecalho = cabecalho.leftJustified(248, ' ');
    QByteArray texto = cabecalho + "\r\n";
    for (int i = 1; i <= linhas; ++i) {
        QByteArray linha = QByteArray::number(i).rightJustified(8, '0') + (i == 1 ? "1" : "2") + "00011144477735";
        linha += QByteArray::number(i * 7919).rightJustified(15, '0');
        texto += linha.leftJustified(730, ' ') + "\r\n";
    }
    return texto;
}

QByteArray Zip(const QList<QPair<QByteArray, QByteArray>>& membros)
{
    zip_error_t erro;
    zip_error_init(&erro);
    zip_source_t* memoria = zip_source_buffer_create(nullptr, 0, 0, &erro);
    zip_t* za = zip_open_from_source(memoria, ZIP_TRUNCATE, &erro);
    zip_error_fini(&erro);
    if (!za)
        throw std::runtime_error("cannot build a test archive");
    zip_source_keep(memoria);
    for (const auto& [nome, dados] : membros) {
        zip_source_t* fonte = zip_source_buffer(za, dados.constData(), static_cast<zip_uint64_t>(dados.size()), 0);
        if (zip_file_add(za, nome.constData(), fonte, ZIP_FL_ENC_RAW) < 0)
            throw std::runtime_error("cannot add a test member");
    }
    if (zip_close(za) != 0)
        throw std::runtime_error("cannot close a test archive");
    QByteArray saida;
    zip_stat_t st;
    zip_stat_init(&st);
    zip_source_open(memoria);
    zip_source_stat(memoria, &st);
    saida.resize(static_cast<qsizetype>(st.size));
    zip_source_read(memoria, saida.data(), st.size);
    zip_source_close(memoria);
    zip_source_free(memoria);
    return saida;
}

namespace {

void Poe16(QByteArray& saida, quint32 valor)
{
    saida.append(static_cast<char>(valor & 0xFF));
    saida.append(static_cast<char>((valor >> 8) & 0xFF));
}

void Poe32(QByteArray& saida, quint32 valor)
{
    Poe16(saida, valor & 0xFFFF);
    Poe16(saida, valor >> 16);
}

struct TMembroSobreposto {
    QByteArray Nome;
    quint32 Crc = 0;
    quint32 Comprimido = 0;
    quint32 Tamanho = 0;
    quint32 Posicao = 0;
};

// The header fields a local and a central header share, from "version needed" to the name's length.
void PoeCampos(QByteArray& saida, const TMembroSobreposto& m)
{
    Poe16(saida, 20);     // version needed
    Poe16(saida, 0);      // flags
    Poe16(saida, 8);      // deflate
    Poe16(saida, 0);      // time
    Poe16(saida, 0x21);   // 1980-01-01
    Poe32(saida, m.Crc);
    Poe32(saida, m.Comprimido);
    Poe32(saida, m.Tamanho);
    Poe16(saida, static_cast<quint32>(m.Nome.size()));
    Poe16(saida, 0);   // extra
}

QByteArray CabecalhoLocal(const TMembroSobreposto& m)
{
    QByteArray h;
    Poe32(h, 0x04034b50);
    PoeCampos(h, m);
    return h + m.Nome;
}

QByteArray DeflateCru(const QByteArray& dados)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("cannot deflate");
    QByteArray saida(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(dados.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(dados.constData()));
    z.avail_in = static_cast<uInt>(dados.size());
    z.next_out = reinterpret_cast<Bytef*>(saida.data());
    z.avail_out = static_cast<uInt>(saida.size());
    const int r = deflate(&z, Z_FINISH);
    saida.resize(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    if (r != Z_STREAM_END)
        throw std::runtime_error("cannot deflate");
    return saida;
}

}   // namespace

QByteArray ZipSobreposto(const QList<QByteArray>& nomes, const QByteArray& nucleo)
{
    const QByteArray bloco = DeflateCru(nucleo);
    std::vector<TMembroSobreposto> membros(static_cast<size_t>(nomes.size()));
    // From the last member back: each one's content is the next one's header and content.
    for (qsizetype i = nomes.size() - 1; i >= 0; --i) {
        TMembroSobreposto& m = membros[static_cast<size_t>(i)];
        m.Nome = nomes[i];
        if (i == nomes.size() - 1) {
            m.Crc = CrcZlib(nucleo);
            m.Comprimido = static_cast<quint32>(bloco.size());
            m.Tamanho = static_cast<quint32>(nucleo.size());
            continue;
        }
        const TMembroSobreposto& proximo = membros[static_cast<size_t>(i + 1)];
        const QByteArray citado = CabecalhoLocal(proximo);
        m.Crc = static_cast<quint32>(crc32_combine(CrcZlib(citado), proximo.Crc, proximo.Tamanho));
        m.Comprimido = 5 + static_cast<quint32>(citado.size()) + proximo.Comprimido;
        m.Tamanho = static_cast<quint32>(citado.size()) + proximo.Tamanho;
    }
    QByteArray arquivo;
    for (auto& m : membros) {
        m.Posicao = static_cast<quint32>(arquivo.size());
        arquivo += CabecalhoLocal(m);
        if (&m == &membros.back())
            break;
        // A stored block, not the last, holding the next member's header: its data follows.
        const auto tamanho = static_cast<quint32>(CabecalhoLocal(*(&m + 1)).size());
        arquivo.append('\0');
        Poe16(arquivo, tamanho);
        Poe16(arquivo, ~tamanho & 0xFFFF);
    }
    arquivo += bloco;
    const auto inicioCentral = static_cast<quint32>(arquivo.size());
    for (const auto& m : membros) {
        Poe32(arquivo, 0x02014b50);
        Poe16(arquivo, 20);   // version made by
        PoeCampos(arquivo, m);
        Poe16(arquivo, 0);   // comment
        Poe16(arquivo, 0);   // disk
        Poe16(arquivo, 0);   // internal attributes
        Poe32(arquivo, 0);   // external attributes
        Poe32(arquivo, m.Posicao);
        arquivo += m.Nome;
    }
    const auto tamanhoCentral = static_cast<quint32>(arquivo.size()) - inicioCentral;
    Poe32(arquivo, 0x06054b50);
    Poe16(arquivo, 0);
    Poe16(arquivo, 0);
    Poe16(arquivo, static_cast<quint32>(membros.size()));
    Poe16(arquivo, static_cast<quint32>(membros.size()));
    Poe32(arquivo, tamanhoCentral);
    Poe32(arquivo, inicioCentral);
    Poe16(arquivo, 0);
    return arquivo;
}

quint32 CrcZlib(const QByteArray& dados)
{
    return static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(dados.constData()), static_cast<uInt>(dados.size())));
}

QByteArray AposPrimeiraLinha(const QByteArray& texto)
{
    return texto.mid(texto.indexOf('\n') + 1);
}

QByteArray EntregaCom(const QByteArray& zip, const QByteArray& declaracao)
{
    return TPacoteEntrega::MontaCabecalho(declaracao.left(declaracao.indexOf('\r')),
                                          CrcZlib(AposPrimeiraLinha(declaracao)))
        + TPacoteEntrega::Separador() + zip;
}

}   // namespace ArquivosDeTeste
