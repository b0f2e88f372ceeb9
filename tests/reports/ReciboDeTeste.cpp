#include "ReciboDeTeste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "model/values/PastasPrograma.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "support/ProgramaDeTeste.h"

QString ReciboDeTeste::Fixture(const QString& nome)
{
    return QStringLiteral(PRUV_PASTA_RECIBO "/") + nome;
}

QByteArray ReciboDeTeste::Le(const QString& caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("não abriu: " + caminho.toStdString());
    return f.readAll();
}

QString ReciboDeTeste::Grava(const QString& caminho, const QByteArray& dados)
{
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(dados) != dados.size())
        throw std::runtime_error("não gravou: " + caminho.toStdString());
    return caminho;
}

QString ReciboDeTeste::ReciboDados()
{
    return DiretorioDados() + QStringLiteral("/Recibo.ini");
}

QString ReciboDeTeste::Entrega(const QString& nome, const QByteArray& reciboIni)
{
    const QString trabalho = ProgramaDeTeste::Pasta() + QStringLiteral("/Entrega/") + nome;
    // A header of the delivery layout's length, then one record.
    const QByteArray declaracao = "PRUV" + QByteArray(200, '0') + "\r\n" + QByteArray(730, '1') + "\r\n";
    AdicionaArquivo(Grava(trabalho + QStringLiteral("/Declar.txt"), declaracao));
    AdicionaArquivo(Grava(trabalho + QStringLiteral("/Recibo.ini"), reciboIni));
    QString dec = ProgramaDeTeste::Pasta() + QStringLiteral("/Gravadas/") + nome + QStringLiteral(".dec");
    QDir().mkpath(QFileInfo(dec).absolutePath());
    if (ComprimirPruv(dec, {}) != ResultadoCompressao::Ok)
        throw std::runtime_error("não empacotou: " + nome.toStdString());
    return dec;
}

QString ReciboDeTeste::ReciboAoLado(const QString& entrega, const QByteArray& conteudo)
{
    QString rec = entrega;
    rec.chop(3);
    return Grava(rec + QStringLiteral("rec"), conteudo);
}
