#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "support/ProgramaDeTeste.h"
#include "platform/files/TIniFile.h"

namespace {

QString Caminho()
{
    return ProgramaDeTeste::Pasta() + QStringLiteral("/pruv2003.ini");
}

QByteArray Bytes()
{
    QFile arquivo(Caminho());
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray("<missing>");
}

void Escreve(const QByteArray& bytes)
{
    QFile arquivo(Caminho());
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(bytes);
}

const QByteArray kExemplo = "; comentario\r\n"
                            "[Geral]\r\n"
                            "JahMostrou=1\r\n"
                            "  Disco = c: [Sistema]  \r\n"
                            "\r\n"
                            "[Copia de Seguranca]\n"   // LF alone
                            "DirCsDefault=/home/u/CopSeg/\n";

}   // namespace

TEST(TIniFile, ReadsRawValuesWithoutRegardToCase)
{
    Escreve(kExemplo);
    const TIniFile ini(Caminho());
    const struct {
        const char* secao;
        const char* chave;
        const char* valor;
    } casos[] = {
        {"Geral", "JahMostrou", "1"},
        {"GERAL", "jahmostrou", "1"},
        {"geral", "DISCO", " c: [Sistema]  "},   // raw: blanks and brackets kept
        {"copia de seguranca", "dircsdefault", "/home/u/CopSeg/"},
        {"Geral", "Ausente", "padrao"},
        {"Ausente", "JahMostrou", "padrao"},
        {"Geral", "; comentario", "padrao"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.secao) + "/" + c.chave);
        EXPECT_EQ(ini.ReadString(QString::fromLatin1(c.secao), QString::fromLatin1(c.chave), QStringLiteral("padrao")),
                  QString::fromLatin1(c.valor));
    }
    EXPECT_EQ(ini.ReadSections(), (QStringList{QStringLiteral("Geral"), QStringLiteral("Copia de Seguranca")}));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("geral")),
              (QStringList{QStringLiteral("JahMostrou"), QStringLiteral("Disco")}));
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("Geral")),
              (QStringList{QStringLiteral("JahMostrou=1"), QStringLiteral("Disco= c: [Sistema]  ")}));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("GERAL")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Geral"), QStringLiteral("DirCsDefault")));
}

TEST(TIniFile, ChangesKeepOrderCommentsAndSpelling)
{
    Escreve(kExemplo);
    TIniFile ini(Caminho());
    ini.WriteString(QStringLiteral("GERAL"), QStringLiteral("disco"), QStringLiteral("d"));
    ini.WriteString(QStringLiteral("Geral"), QStringLiteral("Novo"), QStringLiteral("x"));
    ini.WriteBool(QStringLiteral("Relatorio"), QStringLiteral("Cor"), true);
    EXPECT_EQ(Bytes(),
              QByteArray("; comentario\r\n"
                         "[Geral]\r\n"
                         "JahMostrou=1\r\n"
                         "  Disco =d\r\n"
                         "Novo=x\r\n"   // at the end of its section, before the blank separator
                         "\r\n"
                         "[Copia de Seguranca]\r\n"
                         "DirCsDefault=/home/u/CopSeg/\r\n"
                         "[Relatorio]\r\n"
                         "Cor=1\r\n"));
}

TEST(TIniFile, RoundTripsLatin1Values)
{
    TIniFile ini(Caminho());
    const QString valores[] = {QString(), QStringLiteral(" a=b ; c "), QStringLiteral("Conceição"),
                               QStringLiteral("\"x\"")};
    for (const QString& valor : valores) {
        SCOPED_TRACE(valor.toStdString());
        ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), valor);
        EXPECT_EQ(TIniFile(Caminho()).ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("?")), valor);
    }
    EXPECT_EQ(Bytes(), QByteArray("[S]\r\nK=\"x\"\r\n"));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("Conceição"));
    EXPECT_EQ(Bytes(), QByteArray("[S]\r\nK=Concei\xe7\xe3o\r\n"));
}

TEST(TIniFile, IntegersAndBooleans)
{
    Escreve("[S]\r\nN= 42 \r\nX=abc\r\nZ=0\r\nT=-3\r\n");
    TIniFile ini(Caminho());
    const QString s = QStringLiteral("S");
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("N"), 7), 42);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("X"), 7), 7);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("Ausente"), 7), 7);
    EXPECT_FALSE(ini.ReadBool(s, QStringLiteral("Z"), true));
    EXPECT_TRUE(ini.ReadBool(s, QStringLiteral("T"), false));
    EXPECT_TRUE(ini.ReadBool(s, QStringLiteral("X"), true));
    ini.WriteInteger(s, QStringLiteral("N"), -5);
    EXPECT_EQ(ini.ReadString(s, QStringLiteral("N"), QString()), QStringLiteral("-5"));
}

TEST(TIniFile, DeletingKeysAndSections)
{
    Escreve(kExemplo);
    TIniFile ini(Caminho());
    ini.DeleteKey(QStringLiteral("geral"), QStringLiteral("JAHMOSTROU"));
    ini.EraseSection(QStringLiteral("copia de seguranca"));
    ini.EraseSection(QStringLiteral("Ausente"));
    ini.DeleteKey(QStringLiteral("Geral"), QStringLiteral("Ausente"));
    EXPECT_EQ(Bytes(), QByteArray("; comentario\r\n[Geral]\r\n  Disco = c: [Sistema]  \r\n\r\n"));
}

TEST(TIniFile, TwoObjectsOnOneFileKeepEachOthersKeys)
{
    TIniFile a(Caminho());
    TIniFile b(Caminho());
    a.WriteString(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("1"));
    b.WriteString(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("2"));
    EXPECT_EQ(a.ReadSectionValues(QStringLiteral("S")), (QStringList{QStringLiteral("A=1"), QStringLiteral("B=2")}));
}

TEST(TIniFile, RefusedWritesLeaveTheFileAsItWas)
{
    Escreve(kExemplo);
    TIniFile ini(Caminho());
    const struct {
        const char* porque;
        QString secao;
        QString chave;
        QString valor;
    } casos[] = {
        {"line end in value", QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a\r\nb")},
        {"beyond Latin-1", QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("€")},
        {"empty key", QStringLiteral("S"), QStringLiteral(" "), QStringLiteral("v")},
        {"key with =", QStringLiteral("S"), QStringLiteral("a=b"), QStringLiteral("v")},
        {"key like a comment", QStringLiteral("S"), QStringLiteral(";k"), QStringLiteral("v")},
        {"section with ]", QStringLiteral("a]b"), QStringLiteral("K"), QStringLiteral("v")},
        {"empty section", QString(), QStringLiteral("K"), QStringLiteral("v")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.porque);
        EXPECT_THROW(ini.WriteString(c.secao, c.chave, c.valor), EIniFile);
        EXPECT_EQ(Bytes(), kExemplo);
    }
}

// The system refuses the bytes past a size (the file size limit here, as a full disk would, at
// the flush that puts the bytes out): the change raises and the old file stays whole, whatever
// the size of the refusal.
TEST(TIniFile, AWriteTheSystemRefusesRaisesAndKeepsTheOldFileWhole)
{
    Escreve(kExemplo);
    const auto semSinal = std::signal(SIGXFSZ, SIG_IGN);   // the failed write answers EFBIG instead
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    for (const rlim_t limite : {rlim_t(0), rlim_t(16), rlim_t(kExemplo.size())}) {
        SCOPED_TRACE(limite);
        rlimit menor = antes;
        menor.rlim_cur = limite;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &menor), 0);
        bool levantou = false;
        try {
            TIniFile(Caminho()).WriteString(QStringLiteral("Geral"), QStringLiteral("Nova"),
                                            QString(64, QLatin1Char('x')));
        } catch (const EIniFile&) {
            levantou = true;
        }
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &antes), 0);
        EXPECT_TRUE(levantou);
        EXPECT_EQ(Bytes(), kExemplo);
        EXPECT_EQ(QDir(ProgramaDeTeste::Pasta()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("pruv2003.ini")});
    }
    std::signal(SIGXFSZ, semSinal);
}

TEST(TIniFile, AFolderThatCannotTakeTheFileRaises)
{
    TIniFile ini(ProgramaDeTeste::Pasta() + QStringLiteral("/nao-existe/pruv2003.ini"));
    EXPECT_THROW(ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")), EIniFile);
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("p")), QStringLiteral("p"));
}

TEST(TIniFile, AnUnchangedValueIsNotWrittenAgain)
{
    Escreve("[S]\nK=v\n");
    TIniFile(Caminho()).WriteString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_EQ(Bytes(), QByteArray("[S]\nK=v\n"));
}

TEST(TIniFile, NamesWithBlanksAroundThemReadBackAndAreWrittenOnce)
{
    TIniFile ini(Caminho());
    for (int vez = 1; vez <= 2; ++vez) {
        SCOPED_TRACE(vez);
        ini.WriteString(QStringLiteral(" Geral "), QStringLiteral(" Disco "), QString::number(vez));
        EXPECT_EQ(ini.ReadString(QStringLiteral(" Geral "), QStringLiteral(" Disco "), QString()),
                  QString::number(vez));
        EXPECT_EQ(ini.ReadString(QStringLiteral("Geral"), QStringLiteral("Disco"), QString()), QString::number(vez));
        EXPECT_TRUE(ini.ValueExists(QStringLiteral(" Geral"), QStringLiteral("Disco ")));
        EXPECT_EQ(Bytes(), QByteArray("[Geral]\r\nDisco=") + QByteArray::number(vez) + "\r\n");
    }
    ini.DeleteKey(QStringLiteral("Geral "), QStringLiteral(" Disco"));
    ini.EraseSection(QStringLiteral(" Geral"));
    EXPECT_EQ(Bytes(), QByteArray());
}
