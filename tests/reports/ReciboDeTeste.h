#pragma once
#include <QByteArray>
#include <QString>

// Files of the receipt tests, made inside the running case's program folder from the fixtures
// of tests/data/recibo.
namespace ReciboDeTeste {

QString Fixture(const QString& nome);
QByteArray Le(const QString& caminho);
QString Grava(const QString& caminho, const QByteArray& dados);   // creates the folder
// The data folder's Recibo.ini.
QString ReciboDados();
// A delivery file packed the way the writer packs one, holding a declaration text and the given
// receipt data, at <program folder>/Gravadas/<nome>.dec.
QString Entrega(const QString& nome, const QByteArray& reciboIni);
// The receipt file beside a delivery file: the same name with ".rec".
QString ReciboAoLado(const QString& entrega, const QByteArray& conteudo);

}   // namespace ReciboDeTeste
