#include <QDir>
#include <gtest/gtest.h>

#include "platform/files/TVolumes.h"
#include "support/ProgramaDeTeste.h"

namespace {

using T = TVolume::TTipo;

struct BaseDefinida {
    explicit BaseDefinida(const QString& pasta) { TVolumes::DefinePastaBase(pasta); }
    ~BaseDefinida() { TVolumes::DefinePastaBase(QString()); }
};

}   // namespace

TEST(TVolumes, TheBaseFolderIsTheProgramFolderOrHomeUntilOneIsSetAndAlwaysComesFirst)
{
    // Whoever sets PRUV2003_HOME finds the delivery files there too.
    const QString programa = ProgramaDeTeste::Pasta();
    EXPECT_EQ(TVolumes::PastaBase(), programa);
    EXPECT_EQ(TVolumes::Lista().first().Raiz, programa);
    {
        BaseDefinida base(QStringLiteral("/tmp/pruv/base/"));
        EXPECT_EQ(TVolumes::PastaBase(), QStringLiteral("/tmp/pruv/base"));
        EXPECT_EQ(TVolumes::Lista().first(),
                  (TVolume{QStringLiteral("/tmp/pruv/base"), QStringLiteral("/tmp/pruv/base"), T::Fixo}));
    }
    EXPECT_EQ(TVolumes::PastaBase(), programa);
    qunsetenv("PRUV2003_HOME");
    EXPECT_EQ(TVolumes::PastaBase(), QDir::cleanPath(QDir::homePath()));
}

TEST(TVolumes, TheMachinesMediaAreListedAfterTheBaseWithoutFailing)
{
    const QList<TVolume> volumes = TVolumes::Lista();
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_EQ(volumes.first().Tipo, T::Fixo);
    for (qsizetype i = 1; i < volumes.size(); ++i)
        EXPECT_NE(volumes[i].Tipo, T::Fixo) << volumes[i].Raiz.toStdString();
}

TEST(TVolumes, APathBelongsToTheMediumThatHoldsItElseToTheBase)
{
    BaseDefinida base(QStringLiteral("/srv/base"));
    const TVolume pendrive{QStringLiteral("/media/ana/PEN"), QStringLiteral("PEN"), T::Removivel};
    const TVolume cd{QStringLiteral("/media/ana/CD"), QStringLiteral("CD"), T::CdRom};
    TVolumes::Simulacao midias({cd, pendrive});
    EXPECT_EQ(TVolumes::Lista().size(), 3);

    const struct {
        const char* caminho;
        QString raiz;
    } casos[] = {
        {"/media/ana/PEN", pendrive.Raiz},
        {"/media/ana/PEN/sub/../x.dec", pendrive.Raiz},
        {"/media/ana/CD/a", cd.Raiz},
        {"/media/ana/PENDRIVE/x", QStringLiteral("/srv/base")},   // another folder that only starts alike
        {"/home/ana/x.dec", QStringLiteral("/srv/base")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caminho);
        EXPECT_EQ(TVolumes::DoCaminho(QString::fromLatin1(c.caminho)).Raiz, c.raiz);
    }
    {
        TVolumes::Simulacao nenhuma({});
        EXPECT_EQ(TVolumes::Lista().size(), 1);
    }
    EXPECT_EQ(TVolumes::Lista().size(), 3);
}
