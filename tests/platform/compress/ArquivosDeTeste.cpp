#include "ArquivosDeTeste.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <stdexcept>
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

quint32 CrcZlib(const QByteArray& dados)
{
    return static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(dados.constData()), static_cast<uInt>(dados.size())));
}

QByteArray AposPrimeiraLinha(const QByteArray& texto)
{
    return texto.mid(texto.indexOf('\n') + 1);
}

QByteArray EntregaCom(const QByteArray& zip, const QByteArray& declaracao)
{
    return TPacoteEntrega::MontaCabecalho(declaracao.left(declaracao.indexOf('\r')), CrcZlib(AposPrimeiraLinha(declaracao)))
        + TPacoteEntrega::Separador() + zip;
}

}  // namespace ArquivosDeTeste
